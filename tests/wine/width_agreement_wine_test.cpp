// karvex.sph in the 64-bit host against karvex.spi in the 32-bit host: the
// same result codes, header blocks and pixel blocks, and the 64-bit
// picture-info record in its own layout.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/plugin_harness.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CommandResult RunHost(const std::string& spihost, const std::string& plugin, const std::vector<std::string>& arguments) {
  std::vector<std::string> command{spihost, WineSession::WindowsPath(plugin)};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return WineSession::Get().Run(command);
}

class WidthAgreement : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    if (Spihost64Path().empty()) GTEST_SKIP() << "the 64-bit programs were not built";
    if (TestsSixtyFourBit()) GTEST_SKIP() << "compared once, in the 32-bit run";
  }
};

TEST_P(WidthAgreement, BothWidthsDeliverTheSameBlocks) {
  const std::string drawing = std::string(KARVEX_FIXTURES_DIR) + "/" + GetParam();
  TempFile scratch("unused", "");
  const std::string bmp32 = scratch.Folder() + "/32.bmp";
  const std::string bmp64 = scratch.Folder() + "/64.bmp";
  const CommandResult run32 = RunHost(KARVEX_SPIHOST_EXE, KARVEX_PLUGIN_SPI,
                                  {"picture", WineSession::WindowsPath(drawing), WineSession::WindowsPath(bmp32)});
  const CommandResult run64 = RunHost(Spihost64Path(), Plugin64Path(),
                                  {"picture", WineSession::WindowsPath(drawing), WineSession::WindowsPath(bmp64)});
  EXPECT_EQ(run64.exitCode, run32.exitCode) << run64.out << run64.err;
  for (const char* field : {"result", "header-block", "pixel-block", "bitmap"}) {
    EXPECT_EQ(run64.Field(field), run32.Field(field)) << field;
  }
  EXPECT_EQ(run64.Lines("progress"), run32.Lines("progress"));
  const std::string picture32 = ReadBytes(bmp32);
  const std::string picture64 = ReadBytes(bmp64);
  ASSERT_FALSE(picture32.empty());
  ASSERT_EQ(picture64.size(), picture32.size());
  if (std::string(GetParam()) != "texts.dxf") {
    EXPECT_TRUE(picture64 == picture32) << GetParam() << ": the pictures differ";
    return;
  }
  // Wine's 32-bit and 64-bit GDI turn glyphs by angles other than right
  // angles a pixel apart from each other (the plug-in hands both the same
  // font and position). There, and only there, a pixel may differ, and never
  // by more than one pixel's place.
  const std::int32_t width = 640;
  const std::int32_t height = 453;
  const std::size_t stride = static_cast<std::size_t>(RowStride(width));
  auto inked = [&](const std::string& bmp, std::int32_t x, std::int32_t y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
    return bmp.compare(at, 3, "\xFF\xFF\xFF") != 0;
  };
  auto inkedNear = [&](const std::string& bmp, std::int32_t x, std::int32_t y) {
    for (std::int32_t dy = -1; dy <= 1; ++dy) {
      for (std::int32_t dx = -1; dx <= 1; ++dx) {
        if (inked(bmp, x + dx, y + dy)) return true;
      }
    }
    return false;
  };
  std::int64_t differing = 0;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
      if (picture32.compare(at, 3, picture64, at, 3) == 0) continue;
      ++differing;
      ASSERT_TRUE(y > 200 && y < 300 && x > 380) << "a difference outside the turned text at " << x << "," << y;
      ASSERT_TRUE(inkedNear(picture32, x, y) && inkedNear(picture64, x, y)) << x << "," << y;
    }
  }
  std::printf("texts.dxf: %lld pixels of the 30-degree text differ between the widths\n",
              static_cast<long long>(differing));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, WidthAgreement,
                         ::testing::Values("lines.dxf", "circles_arcs.dxf", "polylines_solids.dxf", "blocks.dxf",
                                           "lf_line_ends.dxf", "texts.dxf", "../../samples/sample.dxf"));

TEST(WidthAgreementUnderWine, SixtyFourBitPictureInfoPutsTheHandleAtOffset24) {
  if (Spihost64Path().empty()) GTEST_SKIP() << "the 64-bit programs were not built";
  const CommandResult info = RunHost(Spihost64Path(), Plugin64Path(), {"picinfo", "C:\\plans\\plan.dxf"});
  ASSERT_EQ(info.Field("result"), "0");
  std::istringstream bytes(info.Field("record-bytes"));
  std::vector<unsigned> record;
  unsigned byte;
  while (bytes >> std::hex >> byte) record.push_back(byte);
  ASSERT_EQ(record.size(), 32u);
  EXPECT_EQ(record[8] | record[9] << 8, 640u);
  EXPECT_EQ(record[12] | record[13] << 8, 453u);
  EXPECT_EQ(record[20], 24u);  // colour depth
  EXPECT_EQ(record[22], 0u);   // the two filler bytes
  EXPECT_EQ(record[23], 0u);
  unsigned handleBytes = 0;
  for (std::size_t i = 24; i < 32; ++i) handleBytes |= record[i];
  EXPECT_NE(handleBytes, 0u);
  EXPECT_EQ(info.Field("info-text-size"), "11");
  EXPECT_EQ(info.Field("info-text"), "no comment");
  // The 64-bit plug-in's other answers.
  EXPECT_EQ(RunHost(Spihost64Path(), Plugin64Path(), {"info", "2"}).Field("text"), "*.dxf");
  EXPECT_EQ(RunHost(Spihost64Path(), Plugin64Path(), {"supported", "C:\\x\\plan.DXF"}).Field("result"), "1");
}

}  // namespace
}  // namespace karvex::testing
