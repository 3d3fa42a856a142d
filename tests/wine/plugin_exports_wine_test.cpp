// karvex.spi loaded by our own host under Wine: the exports as a Windows
// viewer sees them.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "support/dxf_text.h"
#include "support/plugin_harness.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string SmallDrawing() {
  return DxfText()
      .Section("HEADER", {{9, "$EXTMAX"}, {10, "100"}, {20, "100"}})
      .Section("ENTITIES", {{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "100"}, {21, "100"}})
      .Eof()
      .Text();
}

TEST(PluginUnderWine, GetPluginInfoAnswers) {
  WineSession& wine = WineSession::Get();
  CommandResult cut = wine.Spihost({"info", "0", "--buflen", "3"});
  EXPECT_EQ(cut.Field("result"), "2");
  EXPECT_EQ(cut.Field("text"), "00");
  EXPECT_EQ(cut.Field("terminator"), "0");
  CommandResult kind = wine.Spihost({"info", "3"});
  EXPECT_EQ(kind.Field("result"), "12");
  EXPECT_EQ(kind.Field("text"), "DXF \\x90}\\x96\\xCA\\xCC\\xA7\\xB2\\xD9");
  EXPECT_EQ(wine.Spihost({"info", "2"}).Field("text"), "*.dxf");
  EXPECT_EQ(wine.Spihost({"info", "4"}).Field("result"), "0");
}

TEST(PluginUnderWine, IsSupportedLooksAtTheName) {
  WineSession& wine = WineSession::Get();
  EXPECT_EQ(wine.Spihost({"supported", "C:\\plans\\plan.dxf"}).Field("result"), "1");
  EXPECT_EQ(wine.Spihost({"supported", "C:\\plans\\plan.dwg"}).Field("result"), "0");
}

TEST(PluginUnderWine, GetPictureInfoAnswers) {
  WineSession& wine = WineSession::Get();
  TempFile drawing("plan.dxf", SmallDrawing());
  CommandResult memory = wine.Spihost({"picinfo", drawing.Path(), "--mem"});
  EXPECT_EQ(memory.Field("result"), "2");
  // The whole record is cleared: 26 bytes, or 32 in the 64-bit layout.
  std::string cleared = "00";
  for (int i = 1; i < (TestsSixtyFourBit() ? 32 : 26); ++i) cleared += " 00";
  EXPECT_EQ(memory.Field("record-bytes"), cleared);
  EXPECT_EQ(wine.Spihost({"picinfo", "C:\\plan.txt"}).Field("result"), "2");
  CommandResult missing = wine.Spihost({"picinfo", "C:\\nowhere\\plan.DXF"});
  EXPECT_EQ(missing.exitCode, 0) << missing.out << missing.err;
  EXPECT_EQ(missing.Field("result"), "0");
  EXPECT_EQ(missing.Field("width"), "640");
  EXPECT_EQ(missing.Field("height"), "453");
  EXPECT_EQ(missing.Field("color-depth"), "24");
  EXPECT_EQ(missing.Field("info-text-size"), "11");
  EXPECT_EQ(missing.Field("info-text"), "no comment");
}

TEST(PluginUnderWine, GetPictureDeliversBothBlocksWithTheProgressFrame) {
  WineSession& wine = WineSession::Get();
  TempFile drawing("plan.dxf", SmallDrawing());
  const std::string bmp = drawing.Folder() + "/plan.bmp";
  CommandResult picture = wine.Spihost({"picture", WineSession::WindowsPath(drawing.Path()), WineSession::WindowsPath(bmp)});
  ASSERT_EQ(picture.exitCode, 0) << picture.out << picture.err;
  EXPECT_EQ(picture.Field("result"), "0");
  EXPECT_EQ(picture.Field("header-block"), "1064");
  EXPECT_EQ(picture.Field("pixel-block"), "869760");
  EXPECT_EQ(picture.Field("bitmap"), "640 453 24 1 869760");
  const auto progress = picture.Lines("progress");
  ASSERT_GE(progress.size(), 2u);
  EXPECT_EQ(progress.front(), "progress 0 110");
  EXPECT_EQ(progress.back(), "progress 110 110");

  // The same drawing as a memory image, and through GetPreview.
  const std::string fromMemory = drawing.Folder() + "/memory.bmp";
  ASSERT_EQ(wine.Spihost({"picture", drawing.Path(), WineSession::WindowsPath(fromMemory), "--mem"}).exitCode, 0);
  const std::string preview = drawing.Folder() + "/preview.bmp";
  ASSERT_EQ(wine.Spihost({"preview", WineSession::WindowsPath(drawing.Path()), WineSession::WindowsPath(preview)}).exitCode, 0);
  const std::string expected = ReadBytes(bmp);
  EXPECT_EQ(expected.size(), 869760u + 54u);
  EXPECT_EQ(ReadBytes(fromMemory), expected);
  EXPECT_EQ(ReadBytes(preview), expected);
}

TEST(PluginUnderWine, StopAtTheFirstReportAndMissingFiles) {
  WineSession& wine = WineSession::Get();
  TempFile drawing("plan.dxf", SmallDrawing());
  CommandResult stopped = wine.Spihost({"picture", WineSession::WindowsPath(drawing.Path()), "--abort-from", "1"});
  EXPECT_EQ(stopped.exitCode, 1);
  EXPECT_EQ(stopped.Field("result"), "1");
  EXPECT_EQ(stopped.Field("header-block"), "1064");
  EXPECT_EQ(stopped.Field("pixel-block"), "0");

  CommandResult missing = wine.Spihost({"picture", "C:\\nowhere\\missing.dxf"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.Field("result"), "8");
  EXPECT_EQ(missing.Field("header-block"), "0");
  EXPECT_EQ(missing.Field("pixel-block"), "0");
}

// A drawing of more than a megabyte (so the plug-in reads it ahead on a
// thread of its own too) whose lines fan out from a corner that differs
// with seed.
std::string LargeDrawing(int seed) {
  DxfText text;
  text.Section("HEADER", {{9, "$EXTMAX"}, {10, "1000"}, {20, "1000"}});
  text.Add(0, "SECTION").Add(2, "ENTITIES");
  for (int i = 0; i < 20000; ++i) {
    text.Add({{0, "LINE"},
              {8, "0"},
              {10, std::to_string(seed * 300)},
              {20, std::to_string(1000 - seed * 300)},
              {11, std::to_string((i * 37 + seed * 11) % 1000) + ".25"},
              {21, std::to_string((i * 91 + seed * 7) % 1000) + ".75"}});
  }
  return text.Add(0, "ENDSEC").Eof().Text();
}

TEST(PluginUnderWine, TwoThreadsOfOneHostGetTwoRightPicturesOneAfterTheOther) {
  WineSession& wine = WineSession::Get();
  TempFile first("first.dxf", LargeDrawing(1));
  TempFile second("second.dxf", LargeDrawing(2));
  const std::string folder = first.Folder();
  for (const auto& [drawing, picture] : {std::pair{first.Path(), folder + "/first-alone.bmp"},
                                         std::pair{second.Path(), folder + "/second-alone.bmp"}}) {
    const CommandResult alone = wine.Spihost({"picture", WineSession::WindowsPath(drawing), WineSession::WindowsPath(picture)});
    ASSERT_EQ(alone.exitCode, 0) << alone.out << alone.err;
  }
  ASSERT_NE(ReadBytes(folder + "/first-alone.bmp"), ReadBytes(folder + "/second-alone.bmp"));

  const CommandResult together = wine.Spihost(
      {"together", WineSession::WindowsPath(first.Path()), WineSession::WindowsPath(folder + "/first.bmp"),
       WineSession::WindowsPath(second.Path()), WineSession::WindowsPath(folder + "/second.bmp")});
  ASSERT_EQ(together.exitCode, 0) << together.out << together.err;
  EXPECT_EQ(together.Lines("result"), (std::vector<std::string>{"result 1 0", "result 2 0"}));
  EXPECT_EQ(ReadBytes(folder + "/first.bmp"), ReadBytes(folder + "/first-alone.bmp"));
  EXPECT_EQ(ReadBytes(folder + "/second.bmp"), ReadBytes(folder + "/second-alone.bmp"));

  // One after the other: every report of one request comes before the
  // first of the other's, each framed by (0, 110) and (110, 110).
  std::vector<std::pair<char, std::string>> reports;
  for (const std::string& line : together.Lines("progress")) {
    reports.emplace_back(line.at(9), line.substr(11));  // "progress N num denom"
  }
  ASSERT_GE(reports.size(), 8u);
  std::size_t switches = 0;
  for (std::size_t i = 1; i < reports.size(); ++i) {
    if (reports[i].first == reports[i - 1].first) continue;
    ++switches;
    EXPECT_EQ(reports[i - 1].second, "110 110") << "request " << reports[i - 1].first << " broken off";
    EXPECT_EQ(reports[i].second, "0 110") << "request " << reports[i].first << " joined in";
  }
  EXPECT_EQ(switches, 1u);
  EXPECT_EQ(reports.front().second, "0 110");
  EXPECT_EQ(reports.back().second, "110 110");
}

TEST(PluginUnderWine, ConfigurationDlgRefusesOtherFunctionCodes) {
  CommandResult other = WineSession::Get().Spihost({"config", "0"});
  EXPECT_EQ(other.Field("result"), "-1");
  EXPECT_EQ(other.exitCode, 1);
}

}  // namespace
}  // namespace karvex::testing
