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
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/plugin_harness.h"
#include "wine/wine_registry.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

// Each run starts from the default settings: what an earlier run's OK saved
// at unload is removed before and after.
CommandResult RunDialog(const std::string& script) {
  const std::string key = "HKCU\\SoftWare\\Corvane\\DXFplugin";
  WineRegistry registry(WineSession::Get());
  registry.DeleteTree(key);
  CommandResult run = WineSession::Get().Spihost({"config", "1", "--parent-window", "--script", script});
  registry.DeleteTree(key);
  return run;
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
  EXPECT_NE(run.Field("control CheckBox1").find("visible disabled 線種を考慮する。"), std::string::npos);
  EXPECT_NE(run.Field("control RadioButton1").find("enabled 左下を(0,0)にする。"), std::string::npos);
  EXPECT_NE(run.Field("control RadioButton2").find("disabled"), std::string::npos);
  EXPECT_NE(run.Field("control RadioButton3").find("disabled"), std::string::npos);
  EXPECT_NE(run.Field("control GroupBox2").find("hidden"), std::string::npos);
  EXPECT_EQ(run.Field("result"), "0");
  EXPECT_EQ(run.Field("picture-size"), "640 453");

  // The picture goes to the build folder as a PNG, for people to look at.
  const std::string png = std::string(KARVEX_WINE_ARTIFACT_DIR) + "/settings_dialog.png";
  std::filesystem::remove(png);
  ASSERT_EQ(std::system(("convert '" + bmp + "' 'PNG24:" + png + "'").c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(png));
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
  for (int i = 0; i < 8; ++i) script += ";key=tab;report";
  const CommandResult run = RunDialog(script + ";cancel");
  ASSERT_EQ(run.exitCode, 0) << Describe(run);
  std::vector<std::string> order;
  for (const std::string& line : run.Lines("dialog ")) order.push_back(line.substr(line.rfind(' ') + 1));
  // The option boxes are disabled and modes 2 and 3 are not selected: Tab
  // passes them by.
  EXPECT_EQ(order, (std::vector<std::string>{"Edit2", "Button1", "CheckBox5", "RadioButton1", "Button3", "Button4",
                                             "PageControl1", "Edit1", "Edit2"}));
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
