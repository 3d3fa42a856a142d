// The converter's BMP file against the one spihost.exe writes from the
// picture karvex.spi hands it under Wine: for drawings without text they
// must be the same file, byte for byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "render/draw_surface.h"
#include "support/plugin_harness.h"
#include "wine/wine_registry.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SourceFile(const std::string& relative) { return std::string(KARVEX_SOURCE_DIR) + "/" + relative; }

// The converter's BMP of a drawing, at the default size, with options
// (converter flags) when given.
std::string Convert(const TempFile& scratch, const std::string& drawing, const std::string& options) {
  const std::string folder = scratch.Folder();
  const std::string command = "XDG_CONFIG_HOME='" + folder + "/config' '" KARVEX_CONVERTER "' render -q '" + drawing +
                              "' -o '" + folder + "/native.bmp' " + options;
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return ReadBytes(folder + "/native.bmp");
}

// The plug-in's picture of drawing against the converter's; the plug-in
// draws with the settings in the registry, the converter with options.
void ExpectTheSameFile(const std::string& drawing, const std::string& options) {
  TempFile scratch("keep", "");
  const std::string hostBmp = scratch.Folder() + "/plugin.bmp";
  const CommandResult plugin =
      WineSession::Get().Spihost({"picture", WineSession::WindowsPath(drawing), WineSession::WindowsPath(hostBmp)});
  ASSERT_EQ(plugin.exitCode, 0) << plugin.out << plugin.err;
  const std::string expected = ReadBytes(hostBmp);
  const std::string native = Convert(scratch, drawing, options);
  ASSERT_EQ(native.size(), expected.size());
  ASSERT_EQ(native.compare(0, 54, expected, 0, 54), 0) << "the headers differ";
  if (native == expected) return;

  // Where the pixels differ.
  auto header32 = [&](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
      value |= static_cast<std::uint32_t>(static_cast<unsigned char>(expected[at + i])) << (8 * i);
    return static_cast<long>(value);
  };
  const long width = header32(18);
  const long height = header32(22);
  const std::size_t stride = static_cast<std::size_t>(RowStride(width));
  long differing = 0;
  std::string first;
  for (long y = 0; y < height; ++y) {
    for (long x = 0; x < width; ++x) {
      const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
      if (native.compare(at, 3, expected, at, 3) != 0 && ++differing <= 10) {
        first += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    }
  }
  ADD_FAILURE() << drawing << options << ": " << differing << " pixels differ, first at" << first;
}

class ConverterBmp : public ::testing::TestWithParam<const char*> {};

TEST_P(ConverterBmp, IsTheFileSpihostWritesFromThePlugin) { ExpectTheSameFile(SourceFile(GetParam()), ""); }

// Fitted, in line types and in colours: the dashes and colours come from the
// same rasterizer in both.
class ConverterBmpWithOptions : public ::testing::TestWithParam<const char*> {};

TEST_P(ConverterBmpWithOptions, IsTheFileSpihostWritesFromThePlugin) {
  const std::string key = "HKCU\\SoftWare\\Corvane\\DXFplugin";
  WineRegistry registry(WineSession::Get());
  registry.DeleteTree(key);
  for (const char* name : {"LineTypes", "LineColors"}) ASSERT_TRUE(registry.Set(key + "\\System", name, "REG_SZ", "1"));
  ASSERT_TRUE(registry.Set(key + "\\System", "CenterPos", "REG_SZ", "3"));
  ExpectTheSameFile(SourceFile(GetParam()), "--align fit --line-types --colours");
  registry.DeleteTree(key);
}

INSTANTIATE_TEST_SUITE_P(DrawingsWithoutText, ConverterBmp,
                         ::testing::Values("tests/fixtures/lines.dxf", "tests/fixtures/polylines_solids.dxf",
                                           "tests/fixtures/circles_arcs.dxf", "tests/fixtures/blocks.dxf",
                                           "tests/fixtures/lf_line_ends.dxf"));
INSTANTIATE_TEST_SUITE_P(DrawingsWithoutText, ConverterBmpWithOptions,
                         ::testing::Values("tests/fixtures/styles.dxf", "tests/fixtures/blocks.dxf",
                                           "tests/fixtures/circles_arcs.dxf"));

}  // namespace
}  // namespace karvex::testing
