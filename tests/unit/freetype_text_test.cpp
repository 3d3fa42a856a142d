// Texts drawn by the raster backend: where their ink lands, how big, what
// replaces bad bytes, and that nothing outside the glyphs is touched.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "render/freetype_text.h"
#include "support/dxf_text.h"
#include "support/ink_box.h"
#include "support/plugin_harness.h"

namespace karvex {
namespace {

using testing::BottomUpImage;
using testing::InkBox;

constexpr char kAbc[] = "ABC";
constexpr char kZumen[] = "\x90\x7D\x96\xCA";  // 図面 in code page 932
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

FreeTypeTextRasterizer& SharedRasterizer() {
  static FreeTypeTextRasterizer rasterizer(kIpaGothicPath);
  return rasterizer;
}

BottomUpImage Draw(FreeTypeTextRasterizer& rasterizer, std::int32_t width, std::int32_t height, std::int32_t x,
                   std::int32_t y, std::string_view text, std::int32_t fontHeight, std::int32_t escapement,
                   std::uint32_t fill = 0xFFFFFF) {
  BottomUpImage picture(width, height, fill);
  rasterizer.DrawText(picture.Rows(), width, height, x, y, text, fontHeight, escapement);
  return picture;
}

BottomUpImage Draw(std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y, std::string_view text,
                   std::int32_t fontHeight, std::int32_t escapement) {
  return Draw(SharedRasterizer(), width, height, x, y, text, fontHeight, escapement);
}

class RasterText : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SharedRasterizer().Ready()) << SharedRasterizer().Problem(); }
};

struct PlacementCase {
  const char* text;
  std::int32_t height;
  std::int32_t escapement;
  InkBox platform;       // the ink GDI draws in this face, relative to the cell corner
  std::int32_t cell;     // the cell height the platform reports
  std::int32_t extent;   // the text's advance the platform reports
};

// The boxes were measured on GDI under Wine drawing the same face. From 9 to
// 16 pixels per em (the range the face's gasp table keeps black and white)
// it draws without anti-aliasing too, and the boxes must match exactly;
// above, its grey edge pixels may widen a box by one.
const PlacementCase kPlacements[] = {
    {kAbc, 12, 0, {0, 2, 16, 8}, 12, 18},
    {kAbc, 12, 900, {2, -17, 8, -1}, 12, 18},
    {kAbc, 12, 3599, {-1, 1, 14, 7}, 12, 18},
    {kZumen, 12, 0, {1, 1, 21, 10}, 12, 24},
    {kZumen, 12, 900, {1, -22, 10, -2}, 12, 24},
    {kZumen, 12, 3599, {0, 0, 19, 9}, 12, 24},
    {kAbc, 24, 0, {0, 2, 31, 17}, 23, 33},
    {kAbc, 24, 900, {2, -32, 17, -1}, 23, 33},
    {kAbc, 24, 3599, {-1, 1, 29, 16}, 23, 33},
    {kZumen, 24, 0, {2, 2, 42, 20}, 23, 44},
    {kZumen, 24, 900, {2, -43, 20, -3}, 23, 44},
    {kZumen, 24, 3599, {1, 1, 40, 19}, 23, 44},
    {kAbc, -24, 0, {0, 3, 34, 19}, 26, 36},
    {kAbc, -24, 900, {3, -35, 19, -1}, 26, 36},
    {kAbc, -24, 3599, {-1, 2, 32, 18}, 26, 36},
    {kZumen, -24, 0, {2, 2, 46, 22}, 26, 48},
    {kZumen, -24, 900, {2, -47, 22, -3}, 26, 48},
    {kZumen, -24, 3599, {1, 1, 44, 21}, 26, 48},
    {kAbc, 0, 0, {0, 2, 22, 11}, 16, 24},
    {kAbc, 0, 900, {2, -23, 11, -1}, 16, 24},
    {kZumen, 0, 0, {1, 1, 29, 13}, 16, 32},
    {kZumen, 0, 3599, {0, 0, 27, 12}, 16, 32},
};

constexpr std::int32_t kCornerX = 100;
constexpr std::int32_t kCornerY = 80;

std::string Describe(const PlacementCase& c) {
  return std::string(c.text == kAbc ? "ABC" : "zumen") + " height " + std::to_string(c.height) + " escapement " +
         std::to_string(c.escapement);
}

TEST_F(RasterText, InkLiesWhereThePlatformPutsIt) {
  for (const PlacementCase& c : kPlacements) {
    SCOPED_TRACE(Describe(c));
    const InkBox ink = Draw(200, 160, kCornerX, kCornerY, c.text, c.height, c.escapement).Ink();
    ASSERT_FALSE(ink.Empty());
    const int tolerance = c.height == 24 || c.height == -24 ? 1 : 0;
    EXPECT_NEAR(ink.left - kCornerX, c.platform.left, tolerance);
    EXPECT_NEAR(ink.top - kCornerY, c.platform.top, tolerance);
    EXPECT_NEAR(ink.right - kCornerX, c.platform.right, tolerance);
    EXPECT_NEAR(ink.bottom - kCornerY, c.platform.bottom, tolerance);
    // The ink stays inside the character cells: to the right of and below
    // the corner unturned; turned a quarter, above it and to its right.
    if (c.escapement == 0) {
      EXPECT_GE(ink.left, kCornerX);
      EXPECT_LT(ink.right, kCornerX + c.extent);
      EXPECT_GE(ink.top, kCornerY);
      EXPECT_LT(ink.bottom, kCornerY + c.cell);
    } else if (c.escapement == 900) {
      EXPECT_GE(ink.left, kCornerX);
      EXPECT_LT(ink.right, kCornerX + c.cell);
      EXPECT_GE(ink.top, kCornerY - c.extent);
      EXPECT_LT(ink.bottom, kCornerY);
    }
  }
}

TEST_F(RasterText, QuarterTurnReadsFromBottomToTop) {
  // "|" then "-": the first character lies lowest.
  const BottomUpImage picture = Draw(100, 100, 40, 80, "I-", 24, 900);
  const InkBox first = picture.InkWithin(0, 69, 99, 79);
  const InkBox second = picture.InkWithin(0, 58, 99, 68);
  ASSERT_FALSE(first.Empty());
  ASSERT_FALSE(second.Empty());
  EXPECT_GT(first.Width(), first.Height()) << "the upright stroke of I lies across the picture";
  EXPECT_GT(second.Height(), second.Width()) << "the dash stands upright";
}

TEST_F(RasterText, ZeroHeightIsTheDefaultSixteenPixelCell) {
  for (const char* text : {kAbc, kZumen}) {
    for (const std::int32_t escapement : {0, 900, 3599}) {
      EXPECT_EQ(Draw(120, 120, 50, 60, text, 0, escapement).Bytes(),
                Draw(120, 120, 50, 60, text, 16, escapement).Bytes())
          << text << " " << escapement;
    }
  }
}

TEST_F(RasterText, BadBytesDrawTheDefaultCharacterAndTheRestAsUsual) {
  struct Equivalent {
    std::string bad;
    std::string same;  // the default character "・" is 81 45
  };
  const Equivalent cases[] = {
      {"\x81\x20" "AB", "\x81\x45" "AB"},  // a lead byte with a byte that cannot follow it
      {"AB\x82", "AB\x81\x45"},            // a lead byte at the end
      {"\x85\x40" "C", "\x81\x45" "C"},    // a pair that names no character
  };
  for (const Equivalent& c : cases) {
    const BottomUpImage bad = Draw(120, 60, 10, 10, c.bad, 24, 0);
    EXPECT_FALSE(bad.Ink().Empty());
    EXPECT_EQ(bad.Bytes(), Draw(120, 60, 10, 10, c.same, 24, 0).Bytes());
  }
  // The valid rest stands where it would stand after any full-width character.
  EXPECT_EQ(Draw(120, 60, 10, 10, "\x81\x20" "AB", 24, 0).InkWithin(32, 0, 119, 59).left,
            Draw(120, 60, 10, 10, "\x82\xA0" "AB", 24, 0).InkWithin(32, 0, 119, 59).left);
}

TEST_F(RasterText, OnlyGlyphPixelsTurnBlackAndEverythingElseIsLeftAlone) {
  constexpr std::uint32_t kBackground = 0x3366CC;
  const BottomUpImage picture =
      Draw(SharedRasterizer(), 160, 120, 30, 60, "\x90\x7D\x96\xCA" "ABC", -24, 450, kBackground);
  std::int64_t black = 0;
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    for (std::int32_t x = 0; x < picture.Width(); ++x) {
      const std::uint32_t pixel = picture.PixelAt(x, y);
      ASSERT_TRUE(pixel == 0 || pixel == kBackground) << x << "," << y << ": " << std::hex << pixel;
      black += pixel == 0 ? 1 : 0;
    }
  }
  EXPECT_GT(black, 100);
}

TEST_F(RasterText, TheEdgeCutsTextAndKeepsTheVisiblePart) {
  struct EdgeCase {
    std::int32_t x, y, height, escapement;
  };
  const EdgeCase cases[] = {
      {-10, 5, 24, 0},      // left edge
      {5, -8, 24, 0},       // top edge
      {40, 30, 24, 3599},   // right edge
      {10, 20, 24, 900},    // runs up through the top edge
      {-50, -150, 400, 0},  // glyphs too big to keep: only their visible part is rendered
      {-80, -60, 400, 450},
  };
  constexpr std::int32_t kOffset = 100;
  const std::string text = std::string(kZumen) + "ABC";
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " height " + std::to_string(c.height));
    const BottomUpImage small = Draw(60, 40, c.x, c.y, text, c.height, c.escapement);
    const BottomUpImage large = Draw(260, 240, c.x + kOffset, c.y + kOffset, text, c.height, c.escapement);
    EXPECT_FALSE(small.Ink().Empty());
    for (std::int32_t y = 0; y < small.Height(); ++y) {
      for (std::int32_t x = 0; x < small.Width(); ++x) {
        ASSERT_EQ(small.PixelAt(x, y), large.PixelAt(x + kOffset, y + kOffset)) << x << "," << y;
      }
    }
  }
}

TEST_F(RasterText, TextFarOutsideDrawsNothing) {
  const std::string longText(1u << 20, 'A');
  struct FarCase {
    std::int32_t x, y, height, escapement;
    const std::string* text;
  };
  const std::string abc = kAbc;
  const FarCase cases[] = {
      {kMin, kMin, 24, 0, &abc},
      {kMax, kMax, -24, 900, &abc},
      {kMax, 20, 24, 0, &longText},
      {-2000000000, 20, 24, 0, &longText},   // runs towards the picture but ends far before it
      {30, 2000000000, 24, 900, &longText},  // upwards from far below
      {30, kMin, kMax, 900, &abc},
      {kMin, 30, -65535, 3599, &longText},
  };
  for (const FarCase& c : cases) {
    EXPECT_TRUE(Draw(64, 48, c.x, c.y, *c.text, c.height, c.escapement).Ink().Empty())
        << c.x << "," << c.y << " height " << c.height;
  }
}

TEST_F(RasterText, HugeHeightsDrawTheirVisiblePart) {
  // A filled square "■" whose glyph is far larger than the picture covers it.
  const BottomUpImage covered = Draw(64, 48, -15000, -24000, "\x81\xA1", 60000, 0);
  EXPECT_EQ(covered.InkWithin(0, 0, 63, 47).Width(), 64);
  for (std::int32_t y = 0; y < 48; ++y) EXPECT_EQ(covered.PixelAt(y, y), 0u);
  // Past the largest em the platform falls back to one pixel per em.
  for (const std::int32_t height : {kMax, kMin, 100000}) {
    const InkBox ink = Draw(64, 48, 20, 20, kAbc, height, 0).Ink();
    EXPECT_LE(ink.Width(), 6) << height;
    EXPECT_LE(ink.Height(), 1) << height;
  }
}

TEST_F(RasterText, PicturesDoNotDependOnWhatIsCached) {
  // The shared rasterizer has drawn everything above; a fresh one has
  // nothing kept.
  for (const PlacementCase& c : kPlacements) {
    const BottomUpImage warm = Draw(200, 160, kCornerX, kCornerY, c.text, c.height, c.escapement);
    FreeTypeTextRasterizer fresh(kIpaGothicPath);
    EXPECT_EQ(Draw(fresh, 200, 160, kCornerX, kCornerY, c.text, c.height, c.escapement).Bytes(), warm.Bytes())
        << Describe(c);
  }
}

TEST(RasterTextFont, AMissingFontDrawsNothingAndSaysWhy) {
  testing::TempFile notAFont("notafont.ttf", "these bytes are no font");
  for (const std::string& path : {std::string("/nowhere/gothic.ttf"), notAFont.Path()}) {
    FreeTypeTextRasterizer rasterizer(path);
    EXPECT_FALSE(rasterizer.Ready());
    EXPECT_NE(rasterizer.Problem().find(path), std::string::npos) << rasterizer.Problem();
    EXPECT_NE(rasterizer.Problem().find("KARVEX_FONT"), std::string::npos) << rasterizer.Problem();
    EXPECT_TRUE(Draw(rasterizer, 64, 48, 5, 5, kAbc, 24, 0).Ink().Empty());
  }
}

TEST(RasterTextFont, TheFontPathComesFromKarvexFontWhenSet) {
  const char* before = std::getenv("KARVEX_FONT");
  const std::string saved = before != nullptr ? before : "";
  ::setenv("KARVEX_FONT", "/fonts/msgothic.ttc", 1);
  EXPECT_EQ(GothicFontPath(), "/fonts/msgothic.ttc");
  ::setenv("KARVEX_FONT", "", 1);
  EXPECT_EQ(GothicFontPath(), kIpaGothicPath);
  ::unsetenv("KARVEX_FONT");
  EXPECT_EQ(GothicFontPath(), kIpaGothicPath);
  if (before != nullptr) ::setenv("KARVEX_FONT", saved.c_str(), 1);
}

TEST_F(RasterText, ATextEntityIsDrawnAtItsCellCorner) {
  testing::PluginHarness harness({}, &SharedRasterizer());
  const std::string drawing = testing::DxfText()
                                  .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                                  .Section("ENTITIES", {{0, "TEXT"}, {10, "100"}, {20, "100"}, {40, "24"}, {1, "ABC"}})
                                  .Eof()
                                  .Text();
  const testing::PictureResult picture = harness.PictureFromMemory(drawing);
  ASSERT_EQ(picture.result, 0);
  const BottomUpImage image(picture.header.biWidth, picture.header.biHeight, picture.pixels);
  // One text height above the insertion point: column 100, row 453 - 124.
  const InkBox ink = image.Ink();
  EXPECT_NEAR(ink.left, 100, 1);
  EXPECT_NEAR(ink.top, 329 + 2, 1);
  EXPECT_NEAR(ink.right, 100 + 31, 1);
  EXPECT_NEAR(ink.bottom, 329 + 17, 1);
}

}  // namespace
}  // namespace karvex
