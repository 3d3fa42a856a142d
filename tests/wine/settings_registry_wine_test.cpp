// karvex.spi's settings in the registry of the session's prefix: loaded when
// spihost loads the plug-in, all written back when it unloads it. Every test
// starts and ends without the key, so the other Wine tests see defaults.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "wine/wine_registry.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

const std::string kKey = "HKCU\\SoftWare\\Corvane\\DXFplugin";
const std::string kSystem = kKey + "\\System";
const std::string kColor = kKey + "\\Color";

RegistryValue Text(const std::string& data) { return {"REG_SZ", data}; }

const std::map<std::string, RegistryValue> kDefaultSystem{
    {"Version", Text("2")},   {"DXF_W", Text("640")},    {"DXF_H", Text("453")},
    {"CenterPos", Text("1")}, {"LineTypes", Text("0")}, {"LineColors", Text("0")},
    {"AllKinds", Text("0")}};
const std::map<std::string, RegistryValue> kDefaultColor{
    {"Back", Text("0")},         {"Line1", Text("16776960")}, {"Line2", Text("16777215")},
    {"Line3", Text("65280")},    {"Line4", Text("65535")},    {"Line5", Text("16711935")},
    {"Line6", Text("16711680")}, {"Text", Text("255")}};

class RegistrySettingsUnderWine : public ::testing::Test {
 protected:
  void SetUp() override { registry_.DeleteTree(kKey); }
  void TearDown() override { registry_.DeleteTree(kKey); }

  // Loads and unloads the plug-in, asking for the picture size in between.
  CommandResult LoadAndUnload(const std::map<std::string, std::string>& env = {}) {
    return wine_.Run({SpihostPath(), WineSession::WindowsPath(PluginPath()), "picinfo", "C:\\plans\\plan.dxf", "--unload"},
                     env);
  }

  WineSession& wine_ = WineSession::Get();
  WineRegistry registry_{wine_};
};

TEST_F(RegistrySettingsUnderWine, FirstUnloadWritesEveryDefaultAsText) {
  ASSERT_FALSE(registry_.KeyExists(kKey));
  const CommandResult run = LoadAndUnload();
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(run.Field("width"), "640");
  EXPECT_EQ(run.Field("height"), "453");
  EXPECT_EQ(run.Field("unloaded"), "");
  EXPECT_EQ(registry_.Values(kSystem), kDefaultSystem);
  EXPECT_EQ(registry_.Values(kColor), kDefaultColor);
}

TEST_F(RegistrySettingsUnderWine, StoredValuesAreHonouredAndRewrittenAtUnload) {
  ASSERT_TRUE(registry_.Set(kSystem, "DXF_W", "REG_SZ", "800"));
  ASSERT_TRUE(registry_.Set(kSystem, "CenterPos", "REG_SZ", "abc"));
  ASSERT_TRUE(registry_.Set(kSystem, "Version", "REG_SZ", "7"));
  ASSERT_TRUE(registry_.Set(kColor, "Back", "REG_SZ", "255"));

  const CommandResult run = LoadAndUnload();
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(run.Field("width"), "800");
  EXPECT_EQ(run.Field("height"), "453");

  auto system = kDefaultSystem;
  system["DXF_W"] = Text("800");
  EXPECT_EQ(registry_.Values(kSystem), system);
  auto color = kDefaultColor;
  color["Back"] = Text("255");
  EXPECT_EQ(registry_.Values(kColor), color);

  // The next load reads what the unload wrote.
  EXPECT_EQ(LoadAndUnload().Field("width"), "800");
}

TEST_F(RegistrySettingsUnderWine, ExpandableStringsAreReadUnexpandedAndOtherTypesIgnored) {
  ASSERT_TRUE(registry_.Set(kSystem, "DXF_W", "REG_EXPAND_SZ", "1024"));
  ASSERT_TRUE(registry_.Set(kSystem, "DXF_H", "REG_SZ", "-5"));  // no range check
  ASSERT_TRUE(registry_.Set(kSystem, "CenterPos", "REG_DWORD", "3"));
  // Expanded, this would read as 255.
  ASSERT_TRUE(registry_.Set(kColor, "Line1", "REG_EXPAND_SZ", "%KARVEX_COLOUR%"));

  const CommandResult run = LoadAndUnload({{"KARVEX_COLOUR", "255"}});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_EQ(run.Field("width"), "1024");
  EXPECT_EQ(run.Field("height"), "-5");

  auto system = kDefaultSystem;
  system["DXF_W"] = Text("1024");
  system["DXF_H"] = Text("-5");
  EXPECT_EQ(registry_.Values(kSystem), system);  // every value back as a string
  EXPECT_EQ(registry_.Values(kColor), kDefaultColor);
}

}  // namespace
}  // namespace karvex::testing
