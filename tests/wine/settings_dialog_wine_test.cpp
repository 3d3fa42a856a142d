// The settings dialog as a viewer's user meets it: spihost opens it over a
// window of its own through ConfigurationDlg, a second thread types into it
// and presses its buttons with real mouse and keyboard messages, and the
// picture size GetPictureInfo reports afterwards shows what OK stored.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/plugin_harness.h"
#include "wine/wine_registry.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

const std::string kKey = "HKCU\\SoftWare\\Corvane\\DXFplugin";

// Each run starts from the default settings, or the stored values given
// ("System\\LineColors" = "1"): what an earlier run's OK saved at unload is
// removed before and after. stored gets what the run left in the registry.
CommandResult RunDialog(const std::string& script, const std::map<std::string, std::string>& given = {},
                        std::map<std::string, RegistryValue>* stored = nullptr) {
  WineRegistry registry(WineSession::Get());
  registry.DeleteTree(kKey);
  for (const auto& [path, data] : given) {
    const std::size_t slash = path.find('\\');
    registry.Set(kKey + "\\" + path.substr(0, slash), path.substr(slash + 1), "REG_SZ", data);
  }
  CommandResult run = WineSession::Get().Spihost({"config", "1", "--parent-window", "--script", script});
  if (stored != nullptr) {
    for (const char* section : {"System", "Color"}) {
      for (const auto& [name, value] : registry.Values(kKey + "\\" + section)) {
        (*stored)[std::string(section) + "\\" + name] = value;
      }
    }
  }
  registry.DeleteTree(kKey);
  return run;
}

// The picture of a shot, as a PNG in the build folder for people to look at.
void KeepShot(const std::string& bmp, const std::string& name) {
  const std::string png = std::string(KARVEX_WINE_ARTIFACT_DIR) + "/" + name;
  std::filesystem::remove(png);
  ASSERT_EQ(std::system(("convert '" + bmp + "' 'PNG24:" + png + "'").c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(png));
}

std::string Describe(const CommandResult& run) { return run.out + run.err; }

TEST(SettingsDialogUnderWine, OpensOverItsParentAsDesigned) {
  TempFile scratch("unused", "");
  const std::string bmp = scratch.Folder() + "/settings_dialog.bmp";
  const CommandResult run = RunDialog("report;geometry;shot=" + WineSession::WindowsPath(bmp) + ";cancel");
  ASSERT_EQ(run.exitCode, 0) << Describe(run);

  EXPECT_EQ(run.Field("dialog"), "width 640 height 453 ratio 1 mode 1 focus Edit2");
  EXPECT_EQ(run.Field("caption"), "tavrino.spi 設定");
  EXPECT_EQ(run.Field("client"), "330 262");
  EXPECT_EQ(run.Field("offset"), "10 30");
  EXPECT_EQ(run.Field("resizable"), "0");
  EXPECT_EQ(run.Field("font"), "ＭＳ Ｐゴシック -12 128");  // 128: the Shift-JIS character set
  EXPECT_EQ(run.Field("tabs"), "表示");                    // the colour page's tab is hidden
  EXPECT_EQ(run.Field("limit Edit1"), "4");
  EXPECT_EQ(run.Field("limit Edit2"), "4");
  // Places in the form's client area: the page's controls stand where the
  // tab control's display area puts their group box.
  EXPECT_EQ(run.Field("control PageControl1"), "4 4 321 221 visible enabled ");
  EXPECT_EQ(run.Field("control Button3"), "156 232 65 25 visible enabled OK");
  EXPECT_EQ(run.Field("control Button4"), "228 232 65 25 visible enabled ｷｬﾝｾﾙ");
  EXPECT_NE(run.Field("control CheckBox1").find("visible enabled 線種を考慮する。"), std::string::npos);
  EXPECT_NE(run.Field("control CheckBox2").find("visible enabled 線色を考慮する。"), std::string::npos);
  // Below the other two, as wide as its group box lets it be.
  EXPECT_NE(run.Field("control CheckBox3").find(" 121 17 visible enabled 全ての図形を描く。"), std::string::npos);
  EXPECT_NE(run.Field("control RadioButton1").find("enabled 左下を(0,0)にする。"), std::string::npos);
  EXPECT_NE(run.Field("control RadioButton2").find("visible enabled 中心を(0,0)にする。"), std::string::npos);
  EXPECT_NE(run.Field("control RadioButton3").find("visible enabled フィットさせる。"), std::string::npos);
  EXPECT_NE(run.Field("control GroupBox2").find("hidden"), std::string::npos);
  EXPECT_EQ(run.Field("result"), "0");
  EXPECT_EQ(run.Field("picture-size"), "640 453");

  // The picture goes to the build folder as a PNG, for people to look at.
  KeepShot(bmp, "settings_dialog.png");
  // Frame included, so larger than the client area, and really drawn: a
  // screen that was never painted is one colour.
  std::ifstream in(bmp, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(bytes.size(), 54u);
  auto field = [&](std::size_t at) {
    std::int32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value * 256 + static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
  };
  EXPECT_GT(field(18), 330);
  EXPECT_GT(field(22), 262);
  std::set<std::string> colours;
  for (std::size_t i = 54; i + 3 <= bytes.size() && colours.size() < 10; i += 3) colours.insert(bytes.substr(i, 3));
  EXPECT_GE(colours.size(), 3u);
}

TEST(SettingsDialogUnderWine, WithoutAParentWindowItOpensInTheMiddleOfTheScreen) {
  // spihost hands over its console window, which a Wine console run does not have.
  const CommandResult run = WineSession::Get().Spihost({"config", "1", "--script", "geometry;cancel"});
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  std::istringstream position(run.Field("position"));
  std::istringstream work(run.Field("work-area"));
  long x = 0, y = 0, width = 0, height = 0, workLeft = 0, workTop = 0, workWidth = 0, workHeight = 0;
  ASSERT_TRUE(position >> x >> y >> width >> height) << Describe(run);
  ASSERT_TRUE(work >> workLeft >> workTop >> workWidth >> workHeight) << Describe(run);
  EXPECT_EQ(x, workLeft + (workWidth - width) / 2);
  EXPECT_EQ(y, workTop + (workHeight - height) / 2);
  EXPECT_EQ(run.Field("client"), "330 262");
}

TEST(SettingsDialogUnderWine, TabGoesRoundTheDesignedOrder) {
  std::string script = "report";
  for (int i = 0; i < 11; ++i) script += ";key=tab;report";
  const CommandResult run = RunDialog(script + ";cancel");
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  std::vector<std::string> order;
  for (const std::string& line : run.Lines("dialog ")) order.push_back(line.substr(line.rfind(' ') + 1));
  // Modes 2 and 3 are not selected: Tab passes them by (the arrow keys
  // move among the three).
  EXPECT_EQ(order, (std::vector<std::string>{"Edit2", "Button1", "CheckBox5", "CheckBox1", "CheckBox2", "CheckBox3",
                                             "RadioButton1", "Button3", "Button4", "PageControl1", "Edit1", "Edit2"}));
}

// Modes 2 and 3 and the option boxes by mouse and keyboard; the colour
// page's tab comes with the colour box, and a colour chosen on it is stored
// by OK.
TEST(SettingsDialogUnderWine, ModesOptionsAndColoursAreChosenAndStored) {
  TempFile scratch("unused", "");
  const std::string bmp = scratch.Folder() + "/settings_dialog_colours.bmp";
  std::map<std::string, RegistryValue> stored;
  const CommandResult run = RunDialog(
      "click=mode2;report;click=mode3;report;options;"
      "click=linetypes;key=tab;key=space;options;"  // the colour box by keyboard: Tab to it, Space
      "key=tab;key=space;options;"                   // and the all-kinds box below it
      "tab=1;options;shot=" + WineSession::WindowsPath(bmp) + ";"
      "click=change2;choose=FF8000;click=swatch8;choose=cancel;options;ok",
      {}, &stored);
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  const auto reports = run.Lines("dialog ");
  ASSERT_EQ(reports.size(), 2u) << Describe(run);
  EXPECT_NE(reports[0].find("mode 2"), std::string::npos) << reports[0];
  EXPECT_NE(reports[1].find("mode 3"), std::string::npos) << reports[1];
  const auto options = run.Lines("options ");
  ASSERT_EQ(options.size(), 5u) << Describe(run);
  EXPECT_EQ(options[0].substr(0, 48), "options types 0 colours 0 kinds 0 tabs 1 page 0 ");
  EXPECT_EQ(options[1].substr(0, 48), "options types 1 colours 1 kinds 0 tabs 2 page 0 ");
  EXPECT_EQ(options[2].substr(0, 48), "options types 1 colours 1 kinds 1 tabs 2 page 0 ");
  // The swatches show the stored colours (here the defaults), as RRGGBB.
  EXPECT_EQ(options[3], "options types 1 colours 1 kinds 1 tabs 2 page 1 swatches 000000 00ffff ffffff 00ff00 ffff00 "
                        "ff00ff 0000ff ff0000");
  EXPECT_EQ(options[4], "options types 1 colours 1 kinds 1 tabs 2 page 1 swatches 000000 ff8000 ffffff 00ff00 ffff00 "
                        "ff00ff 0000ff ff0000");
  EXPECT_EQ(stored["System\\CenterPos"].data, "3");
  EXPECT_EQ(stored["System\\LineTypes"].data, "1");
  EXPECT_EQ(stored["System\\LineColors"].data, "1");
  EXPECT_EQ(stored["System\\AllKinds"].data, "1");
  EXPECT_EQ(stored["Color\\Line1"].data, "33023");  // 0x0080FF: red 255, green 128
  EXPECT_EQ(stored["Color\\Text"].data, "255");     // the chooser cancelled
  KeepShot(bmp, "settings_dialog_colours.png");
}

// Stored colours fill the swatches; the default button sets them back;
// clearing the colour box takes its tab away again, and OK stores all of it.
TEST(SettingsDialogUnderWine, StoredColoursShowAndTheDefaultsComeBack) {
  std::map<std::string, RegistryValue> stored;
  const CommandResult run = RunDialog("options;tab=1;options;click=defaultcolours;options;tab=0;click=colours;options;ok",
                                      {{"System\\LineColors", "1"}, {"Color\\Back", "255"}, {"Color\\Text", "0"}},
                                      &stored);
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  const auto options = run.Lines("options ");
  ASSERT_EQ(options.size(), 4u) << Describe(run);
  EXPECT_EQ(options[0].substr(0, 48), "options types 0 colours 1 kinds 0 tabs 2 page 0 ");
  EXPECT_EQ(options[1], "options types 0 colours 1 kinds 0 tabs 2 page 1 swatches ff0000 00ffff ffffff 00ff00 ffff00 "
                        "ff00ff 0000ff 000000");
  EXPECT_EQ(options[2], "options types 0 colours 1 kinds 0 tabs 2 page 1 swatches 000000 00ffff ffffff 00ff00 ffff00 "
                        "ff00ff 0000ff ff0000");
  EXPECT_EQ(options[3].substr(0, 48), "options types 0 colours 0 kinds 0 tabs 1 page 0 ");
  EXPECT_EQ(stored["System\\LineColors"].data, "0");
  EXPECT_EQ(stored["System\\AllKinds"].data, "0");  // unticked by default
  EXPECT_EQ(stored["Color\\Back"].data, "0");
  EXPECT_EQ(stored["Color\\Text"].data, "255");
}

TEST(SettingsDialogUnderWine, OkWithANewWidthSizesTheNextPicture) {
  const CommandResult run = RunDialog("width=1024;report;ok");
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  EXPECT_EQ(run.Field("dialog"), "width 1024 height 724 ratio 1 mode 1 focus Edit1");
  EXPECT_EQ(run.Field("result"), "0");
  EXPECT_EQ(run.Field("picture-size"), "1024 724");
}

TEST(SettingsDialogUnderWine, CancelAndTheCloseBoxLeaveTheSize) {
  for (const std::string script : {"width=1024;cancel", "height=600;close"}) {
    const CommandResult run = RunDialog(script);
    ASSERT_EQ(run.exitCode, 0) << script << "\n" << Describe(run);
    EXPECT_EQ(run.Field("result"), "0") << script;
    EXPECT_EQ(run.Field("picture-size"), "640 453") << script;
  }
}

TEST(SettingsDialogUnderWine, TypingIsFilteredAndLimitedAndEnterOrEscapeCloseNothing) {
  const CommandResult run = RunDialog(
      "click=width;key=end;key=backspace;key=backspace;key=backspace;type=1ab0x2456;report;"
      "key=enter;key=escape;report;ok");
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  const auto reports = run.Lines("dialog ");
  ASSERT_EQ(reports.size(), 2u) << Describe(run);
  EXPECT_EQ(reports[0], "dialog width 1024 height 724 ratio 1 mode 1 focus Edit1");
  EXPECT_EQ(reports[1], reports[0]);  // still open, nothing changed
  EXPECT_EQ(run.Field("picture-size"), "1024 724");
}

TEST(SettingsDialogUnderWine, LeavingAnEmptyWidthSaysSoAndResetsIt) {
  const CommandResult run = RunDialog("width=;key=tab;message;report;cancel");
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  EXPECT_EQ(run.Field("message"), "無効な数値です。");
  EXPECT_EQ(run.Field("dialog"), "width 518 height 366 ratio 1 mode 1 focus Edit1");
}

TEST(SettingsDialogUnderWine, UntickedTheFieldsAreApartAndTheDefaultButtonSetsBoth) {
  const CommandResult run = RunDialog("click=ratio;width=1000;report;default;report;ok");
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  const auto reports = run.Lines("dialog ");
  ASSERT_EQ(reports.size(), 2u) << Describe(run);
  EXPECT_EQ(reports[0], "dialog width 1000 height 453 ratio 0 mode 1 focus Edit1");
  EXPECT_EQ(reports[1], "dialog width 640 height 453 ratio 0 mode 1 focus Edit1");
  EXPECT_EQ(run.Field("picture-size"), "640 453");
}

}  // namespace
}  // namespace karvex::testing
