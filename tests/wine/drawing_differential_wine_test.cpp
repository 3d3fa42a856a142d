// Whole drawings through karvex.spi (GDI under Wine) and through the native
// raster build: the same blocks, pixel for pixel, for drawings without text.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/plugin_harness.h"
#include "support/scenes.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string FixturePath(const std::string& name) { return std::string(KARVEX_FIXTURES_DIR) + "/" + name; }

class DrawingDifferential : public ::testing::TestWithParam<const char*> {};

// The DLL's picture of the drawing at path against the native build's.
void ExpectSamePixels(const std::string& fixture) {
  TempFile out("plugin.bmp", "");
  CommandResult plugin =
      WineSession::Get().Spihost({"picture", WineSession::WindowsPath(fixture), WineSession::WindowsPath(out.Path())});
  ASSERT_EQ(plugin.exitCode, 0) << plugin.out << plugin.err;
  const std::string bmp = ReadBytes(out.Path());
  ASSERT_GT(bmp.size(), 54u);

  PluginHarness native;
  const PictureResult picture = native.PictureFromFile(fixture);
  ASSERT_EQ(picture.result, 0);
  ASSERT_EQ(bmp.size() - 54, picture.pixels.size());
  EXPECT_EQ(bmp.compare(14, 40, std::string(picture.headerBlock.begin(), picture.headerBlock.begin() + 40)), 0);

  std::int64_t differing = 0;
  std::string firstDifferences;
  const std::int32_t width = picture.header.biWidth;
  const std::int32_t height = picture.header.biHeight;
  const std::size_t stride = static_cast<std::size_t>(RowStride(width));
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const std::size_t at = static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
      if (bmp.compare(54 + at, 3, reinterpret_cast<const char*>(picture.pixels.data() + at), 3) != 0) {
        if (++differing <= 10) firstDifferences += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    }
  }
  EXPECT_EQ(differing, 0) << fixture << ": pixels differ at" << firstDifferences;
}

TEST_P(DrawingDifferential, PluginAndNativeBuildDrawTheSamePixels) { ExpectSamePixels(FixturePath(GetParam())); }

// Drawings of a megabyte and more are split and their coordinates converted
// on a second thread in the DLL.
TEST(DrawingDifferential, ALargeDrawingReadAheadDrawsTheSamePixels) {
  const TempFile drawing("large.dxf", LargeLineDrawing(3'000'000));
  ExpectSamePixels(drawing.Path());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DrawingDifferential,
                         ::testing::Values("lines.dxf", "circles_arcs.dxf", "polylines_solids.dxf", "blocks.dxf",
                                           "block_names.dxf", "lf_line_ends.dxf"));

}  // namespace
}  // namespace karvex::testing
