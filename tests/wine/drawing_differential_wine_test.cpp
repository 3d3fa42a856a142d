// Whole drawings through karvex.spi (GDI under Wine) and through the native
// raster build: the same blocks, pixel for pixel, for drawings without text.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "support/plugin_harness.h"
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
// on a second thread in the DLL: a few megabytes of lines, arcs, circles and
// blocks inserted at angles, with coordinates of many digits.
TEST(DrawingDifferential, ALargeDrawingReadAheadDrawsTheSamePixels) {
  std::mt19937 random(11);
  auto coordinate = [&] {
    return std::to_string(random() % 1000) + "." + std::to_string(100000000 + random() % 900000000);
  };
  std::string text =
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMIN\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n"
      "  9\r\n$EXTMAX\r\n 10\r\n1000.0\r\n 20\r\n1000.0\r\n  0\r\nENDSEC\r\n"
      "  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nBLOCK\r\n  2\r\nB\r\n 10\r\n0.5\r\n 20\r\n0.25\r\n";
  for (int i = 0; i < 40; ++i) {
    text += "  0\r\nLINE\r\n 10\r\n" + std::to_string(i % 7) + ".125\r\n 20\r\n" + std::to_string(i % 5) +
            ".75\r\n 11\r\n" + std::to_string(i % 3) + ".5\r\n 21\r\n" + std::to_string(i % 11) + ".0625\r\n";
  }
  text += "  0\r\nENDBLK\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  while (text.size() < 3'000'000) {
    switch (random() % 4) {
      case 0:
        text += "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() +
                "\r\n 11\r\n" + coordinate() + "\r\n 21\r\n" + coordinate() + "\r\n";
        break;
      case 1:
        text += "  0\r\nCIRCLE\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() + "\r\n 40\r\n" +
                std::to_string(random() % 40) + ".5\r\n";
        break;
      case 2:
        text += "  0\r\nARC\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() + "\r\n 40\r\n" +
                std::to_string(random() % 40) + ".25\r\n 50\r\n" + std::to_string(random() % 360) +
                ".5\r\n 51\r\n" + std::to_string(random() % 360) + "\r\n";
        break;
      default:
        if (random() % 20 == 0) {
          text += "  0\r\nINSERT\r\n  2\r\nB\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() +
                  "\r\n 50\r\n" + std::to_string(random() % 4 * 90 + random() % 2 * 30) + "\r\n";
        }
        break;
    }
  }
  text += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  const TempFile drawing("large.dxf", text);
  ExpectSamePixels(drawing.Path());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DrawingDifferential,
                         ::testing::Values("lines.dxf", "circles_arcs.dxf", "polylines_solids.dxf", "blocks.dxf",
                                           "lf_line_ends.dxf"));

}  // namespace
}  // namespace karvex::testing
