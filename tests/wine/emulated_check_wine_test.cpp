// The short check of karvex.spi for machines that run 32-bit programs only
// under an emulator, where each start of the 32-bit Wine takes about a
// minute: two starts of the 32-bit host cover loading, the plug-in
// information, a whole picture of the sample drawing and the settings'
// way through the registry. karvex.sph, in the same prefix and at full
// speed, is the reference: the two builds must hand over the same bytes.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "settings/setting_entries.h"
#include "support/plugin_harness.h"
#include "wine/wine_registry.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

const std::string kKey = "HKCU\\SoftWare\\Corvane\\DXFplugin";
const std::string kSystem = kKey + "\\System";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

CommandResult RunHost(const std::string& spihost, const std::string& plugin, std::vector<std::string> arguments,
                      const std::map<std::string, std::string>& env = {}) {
  arguments.insert(arguments.begin(), {spihost, WineSession::WindowsPath(plugin)});
  return WineSession::Get().Run(arguments, env);
}

TEST(Emulated32BitCheck, PluginAnswersDrawsTheSampleAsTheSixtyFourBitBuildAndKeepsItsSettings) {
  WineSession& wine = WineSession::Get();
  WineRegistry registry(wine);
  ASSERT_FALSE(Spihost64Path().empty()) << "the 64-bit programs were not built";
  registry.DeleteTree(kKey);
  // Stored as the plug-in never writes it: loading must honour it, and the
  // unload must write it back as text beside every other setting.
  ASSERT_TRUE(registry.Set(kSystem, "DXF_W", "REG_EXPAND_SZ", "800"));

  const CommandResult info32 = RunHost(Spihost32Path(), Plugin32Path(), {"info", "1"});
  const CommandResult info64 = RunHost(Spihost64Path(), Plugin64Path(), {"info", "1"});
  ASSERT_EQ(info32.exitCode, 0) << info32.out << info32.err;
  EXPECT_EQ(info32.Field("result"), info64.Field("result"));
  EXPECT_EQ(info32.Field("text"), info64.Field("text"));

  const std::string sample = std::string(KARVEX_SOURCE_DIR) + "/samples/sample.dxf";
  TempFile scratch("unused", "");
  const std::string bmp32 = scratch.Folder() + "/32.bmp";
  const std::string bmp64 = scratch.Folder() + "/64.bmp";
  const auto& japanese = wine.JapaneseEnvironment();
  const CommandResult picture32 =
      RunHost(Spihost32Path(), Plugin32Path(),
              {"picture", WineSession::WindowsPath(sample), WineSession::WindowsPath(bmp32), "--unload"}, japanese);
  ASSERT_EQ(picture32.exitCode, 0) << picture32.out << picture32.err;
  EXPECT_EQ(picture32.Field("result"), "0");
  EXPECT_EQ(picture32.Field("unloaded"), "");

  const std::map<std::string, RegistryValue> saved = registry.Values(kSystem);
  // Every setting of the section, as text: the defaults, and the width read.
  std::map<std::string, RegistryValue> expected;
  for (const SettingEntry& entry : kSettingEntries) {
    if (entry.section != kSystemSection) continue;
    expected[std::string(entry.name)] = {"REG_SZ", std::to_string(entry.ValueToSave(Settings{}))};
  }
  expected["DXF_W"] = {"REG_SZ", "800"};
  EXPECT_EQ(saved, expected);

  const CommandResult picture64 = RunHost(
      Spihost64Path(), Plugin64Path(), {"picture", WineSession::WindowsPath(sample), WineSession::WindowsPath(bmp64)},
      japanese);
  ASSERT_EQ(picture64.exitCode, 0) << picture64.out << picture64.err;
  EXPECT_EQ(picture32.Field("bitmap"), "800 453 24 1 " + std::to_string(((800 * 3 + 3) / 4 * 4) * 453));
  for (const char* field : {"result", "header-block", "pixel-block", "bitmap"}) {
    EXPECT_EQ(picture32.Field(field), picture64.Field(field)) << field;
  }
  EXPECT_EQ(picture32.Lines("progress"), picture64.Lines("progress"));
  const std::string picture32Bytes = ReadBytes(bmp32);
  ASSERT_FALSE(picture32Bytes.empty());
  EXPECT_TRUE(picture32Bytes == ReadBytes(bmp64)) << "karvex.spi and karvex.sph drew the sample differently";
  registry.DeleteTree(kKey);
}

}  // namespace
}  // namespace karvex::testing
