// The converter takes its picture size from the user's settings file, the
// way the plug-in takes it from the registry, and never writes that file.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "support/dxf_text.h"
#include "support/plugin_harness.h"

namespace karvex::testing {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::int32_t LittleEndian32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return static_cast<std::int32_t>(value);
}

// Runs the converter with XDG_CONFIG_HOME set; the size of the BMP it wrote.
std::pair<std::int32_t, std::int32_t> ConvertedSize(const TempFile& drawing, const fs::path& configHome) {
  const fs::path output = fs::path(drawing.Folder()) / "out.bmp";
  fs::remove(output);
  const std::string command = "XDG_CONFIG_HOME='" + configHome.string() + "' '" KARVEX_CONVERTER "' render '" +
                              drawing.Path() + "' -o '" + output.string() + "'";
  const int status = std::system(command.c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
  const std::string bmp = ReadBytes(output);
  if (bmp.size() < 26) return {-1, -1};
  return {LittleEndian32(bmp, 18), LittleEndian32(bmp, 22)};
}

TEST(ConverterSettings, SizeComesFromTheSettingsFileWhichStaysUntouched) {
  TempFile drawing("plan.dxf", DxfText().Section("ENTITIES", {{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "1"}, {21, "1"}})
                                   .Eof()
                                   .Text());
  const fs::path configHome = fs::path(drawing.Folder()) / "config";
  const fs::path settingsFile = configHome / "karvex" / "settings.ini";

  EXPECT_EQ(ConvertedSize(drawing, configHome), std::make_pair(640, 453));
  EXPECT_FALSE(fs::exists(configHome));  // no file made for the defaults

  fs::create_directories(settingsFile.parent_path());
  const std::string text = "[System]\nDXF_W=120\nDXF_H=80\n";
  std::ofstream(settingsFile, std::ios::binary) << text;
  EXPECT_EQ(ConvertedSize(drawing, configHome), std::make_pair(120, 80));
  EXPECT_EQ(ReadBytes(settingsFile), text);
}

}  // namespace
}  // namespace karvex::testing
