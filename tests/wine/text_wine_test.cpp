// The same TEXT entities drawn by karvex.spi through GDI under Wine and by
// the native raster backend with FreeType: each text's ink must start at the
// same place and run the same way. Wine runs with code page 932 and maps
// "ＭＳ ゴシック" to IPAGothic, the face the native backend draws in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "render/freetype_text.h"
#include "support/dxf_text.h"
#include "support/ink_box.h"
#include "support/plugin_harness.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

constexpr std::int32_t kPictureWidth = 640;
constexpr std::int32_t kPictureHeight = 453;
constexpr std::int32_t kColumns = 7;
constexpr std::int32_t kCellWidth = kPictureWidth / kColumns;
constexpr std::int32_t kCellHeight = 113;
// Where each text's cell corner lands inside its part of the picture.
constexpr std::int32_t kCornerLeft = 14;
constexpr std::int32_t kCornerTop = 60;
// GDI under Wine anti-aliases this face above 16 pixels per em, as its gasp
// table asks; grey edge pixels may move an edge of the ink by this much.
constexpr std::int32_t kTolerance = 2;
// From 9 to 16 pixels per em it renders with the same FreeType as we do,
// black and white, and the two pictures must agree pixel for pixel.
bool DrawnAlikeOnWine(int height) { return height == 12 || height == 0; }

struct TextCase {
  std::string bytes;
  std::string name;
  int height;
  double rotation;  // degrees
};

std::vector<TextCase> Cases() {
  std::vector<TextCase> cases;
  for (const int height : {12, 24, -24, 0}) {
    for (const double rotation : {0.0, 90.0, 359.9}) {
      cases.push_back({"ABC", "ABC", height, rotation});
      cases.push_back({"\x90\x7D\x96\xCA", "zumen", height, rotation});
    }
  }
  // A lead byte with a byte that cannot follow it, and one at the end.
  cases.push_back({"\x81\x20" "AB\x82", "bad bytes", 24, 0.0});
  cases.push_back({"\x81\x20" "AB\x82", "bad bytes", 24, 90.0});
  return cases;
}

struct Corner {
  std::int32_t x;
  std::int32_t y;
};

Corner CornerOf(std::size_t index) {
  return {static_cast<std::int32_t>(index % kColumns) * kCellWidth + kCornerLeft,
          static_cast<std::int32_t>(index / kColumns) * kCellHeight + kCornerTop};
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", value);
  return text;
}

// One unit a pixel; each text's insertion point chosen so that its cell
// corner (one height away along the rotation + 90 degrees) lands on its
// corner in the picture.
std::string Drawing(const std::vector<TextCase>& cases) {
  DxfText dxf;
  dxf.Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "640"}, {20, "453"}});
  dxf.Add(0, "SECTION").Add(2, "ENTITIES");
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const TextCase& c = cases[i];
    const Corner corner = CornerOf(i);
    const double turn = (c.rotation + 90.0) * M_PI / 180.0;
    const double x = corner.x - c.height * std::cos(turn);
    const double y = (kPictureHeight - corner.y) - c.height * std::sin(turn);
    dxf.Add({{0, "TEXT"}, {8, "0"}, {10, Number(x)}, {20, Number(y)}, {40, std::to_string(c.height)},
             {50, Number(c.rotation)}});
    dxf.Add(1, c.bytes);
  }
  return dxf.Add(0, "ENDSEC").Eof().Text();
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

BottomUpImage ImageOfBmpFile(const std::string& path) {
  const std::string file = ReadBytes(path);
  if (file.size() < 54 || file.compare(0, 2, "BM") != 0) throw std::runtime_error("not a BMP file: " + path);
  std::uint32_t offset = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::memcpy(&offset, file.data() + 10, 4);
  std::memcpy(&width, file.data() + 18, 4);
  std::memcpy(&height, file.data() + 22, 4);
  return BottomUpImage(width, height, std::vector<std::uint8_t>(file.begin() + offset, file.end()));
}

// The Japanese face under Wine: it maps "ＭＳ ゴシック" to IPAGothic on its
// own when no other Japanese font comes first; the substitute makes sure.
WineSession& JapaneseWine() {
  WineSession& wine = WineSession::Get();
  static bool substituted = false;
  if (!substituted) {
    const CommandResult added =
        wine.Run({"reg", "add", "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes", "/v",
                  "ＭＳ ゴシック", "/d", "IPAGothic", "/f"},
                 wine.JapaneseEnvironment());
    if (added.exitCode != 0) throw std::runtime_error("reg add failed: " + added.out + added.err);
    substituted = true;
  }
  return wine;
}

TEST(TextUnderWine, GdiAndTheRasterBackendPutEachTextInTheSamePlace) {
  const std::vector<TextCase> cases = Cases();
  TempFile drawing("texts.dxf", Drawing(cases));

  WineSession& wine = JapaneseWine();
  const std::string bmp = drawing.Folder() + "/gdi.bmp";
  const CommandResult picture = wine.Spihost(
      {"picture", WineSession::WindowsPath(drawing.Path()), WineSession::WindowsPath(bmp)}, wine.JapaneseEnvironment());
  ASSERT_EQ(picture.Field("result"), "0") << picture.out << picture.err;
  const BottomUpImage gdi = ImageOfBmpFile(bmp);

  FreeTypeTextRasterizer rasterizer(kIpaGothicPath);
  ASSERT_TRUE(rasterizer.Ready()) << rasterizer.Problem();
  PluginHarness harness({}, &rasterizer);
  const PictureResult native = harness.PictureFromMemory(ReadBytes(drawing.Path()));
  ASSERT_EQ(native.result, 0);
  const BottomUpImage raster(native.header.biWidth, native.header.biHeight, native.pixels);
  ASSERT_EQ(gdi.Width(), kPictureWidth);
  ASSERT_EQ(gdi.Height(), kPictureHeight);
  ASSERT_EQ(raster.Width(), kPictureWidth);

  for (std::size_t i = 0; i < cases.size(); ++i) {
    const TextCase& c = cases[i];
    const Corner corner = CornerOf(i);
    SCOPED_TRACE(c.name + " height " + std::to_string(c.height) + " rotation " + Number(c.rotation));
    const std::int32_t left = corner.x - kCornerLeft;
    const std::int32_t top = corner.y - kCornerTop;
    const InkBox expected = gdi.InkWithin(left, top, left + kCellWidth - 1, top + kCellHeight - 1);
    const InkBox drawn = raster.InkWithin(left, top, left + kCellWidth - 1, top + kCellHeight - 1);
    ASSERT_FALSE(expected.Empty());
    ASSERT_FALSE(drawn.Empty());
    EXPECT_NEAR(drawn.left, expected.left, kTolerance);
    EXPECT_NEAR(drawn.top, expected.top, kTolerance);
    EXPECT_NEAR(drawn.right, expected.right, kTolerance);
    EXPECT_NEAR(drawn.bottom, expected.bottom, kTolerance);

    // How far apart the two came, for the record.
    std::int32_t both = 0;
    std::int32_t either = 0;
    for (std::int32_t y = top; y < top + kCellHeight; ++y) {
      for (std::int32_t x = left; x < left + kCellWidth; ++x) {
        both += gdi.Inked(x, y) && raster.Inked(x, y) ? 1 : 0;
        either += gdi.Inked(x, y) || raster.Inked(x, y) ? 1 : 0;
      }
    }
    if (DrawnAlikeOnWine(c.height)) EXPECT_EQ(both, either) << "pixels that only one side inked";
    char line[200];
    std::snprintf(line, sizeof line, "%s h%d r%s: ink from corner gdi (%d,%d)-(%d,%d) raster (%d,%d)-(%d,%d) shared %d/%d",
                  c.name.c_str(), c.height, Number(c.rotation).c_str(), expected.left - corner.x,
                  expected.top - corner.y, expected.right - corner.x, expected.bottom - corner.y,
                  drawn.left - corner.x, drawn.top - corner.y, drawn.right - corner.x, drawn.bottom - corner.y, both,
                  either);
    ::testing::Test::RecordProperty("text" + std::to_string(i), line);
  }
}

}  // namespace
}  // namespace karvex::testing
