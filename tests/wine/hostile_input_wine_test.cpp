// Hostile drawings through karvex.spi inside our host under Wine: each gives
// its result code, and the host lives on (a crash would end spihost with
// Wine's own exit status instead of ours).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/dxf_text.h"
#include "support/plugin_harness.h"
#include "support/scenes.h"
#include "wine/wine_registry.h"
#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

struct WineHostileCase {
  const char* name;
  std::string text;
  const char* result;
};

CommandResult Picture(const std::string& text) {
  TempFile drawing("hostile.dxf", text);
  return WineSession::Get().Spihost({"picture", WineSession::WindowsPath(drawing.Path())});
}

TEST(HostileInputUnderWine, TheHostSurvivesEveryDrawing) {
  const std::string whole = Scene({{0, "LINE"}, {11, "300"}, {21, "200"}, {0, "CIRCLE"}, {10, "200"}, {20, "200"},
                                   {40, "50"}, {0, "TEXT"}, {1, "ABC"}});
  const std::vector<WineHostileCase> cases = {
      {"a circle millions of pixels wide (Wine's GDI would crash on it)",
       Scene({{0, "CIRCLE"}, {10, "320"}, {20, "200"}, {40, "2000000"}}), "0"},
      {"an arc millions of pixels wide", Scene({{0, "ARC"}, {40, "3e6"}, {50, "10"}, {51, "20"}}), "0"},
      {"a line across the whole 32-bit range", Scene({{0, "LINE"}, {10, "-2e9"}, {20, "5"}, {11, "2e9"}, {21, "7"}}),
       "0"},
      {"a text two million pixels high", Scene({{0, "TEXT"}, {40, "2000000"}, {1, "ABC"}}), "0"},
      {"a text far outside", Scene({{0, "TEXT"}, {10, "-2e9"}, {50, "45"}, {1, "ABC"}}), "0"},
      {"1e39", Scene({{0, "POINT"}, {10, "1e39"}}), "0"},
      {"1e38: beyond 64-bit pixels", Scene({{0, "POINT"}, {10, "1e38"}}), "0"},
      {"NaN spelled", Scene({{0, "POINT"}, {10, "nan"}}), "0"},
      {"400 digits", Scene({{0, "POINT"}, {10, std::string(400, '9')}}), "0"},
      {"a 100,000-character line", Scene({{0, "TEXT"}, {1, std::string(100000, 'W')}}), "0"},
      {"invalid Shift-JIS", Scene({{0, "TEXT"}, {40, "20"}, {1, Repeated("\x81\x7F\xFF\xA0\x85", 2000)}}), "0"},
      {"a polyline without SEQEND", Scene({{0, "POLYLINE"}, {0, "VERTEX"}, {0, "VERTEX"}, {10, "9"}}), "0"},
      {"a block without ENDBLK",
       DxfText().Section("BLOCKS", {{0, "BLOCK"}, {2, "A"}, {0, "LINE"}}).Section("ENTITIES", {{0, "INSERT"}, {2, "A"}})
           .Eof()
           .Text(),
       "0"},
      {"cut inside an entity", whole.substr(0, whole.find("CIRCLE") + 3), "0"},
      {"cut before EOF", whole.substr(0, whole.size() - 9), "8"},
      {"not a drawing at all", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "8"},
  };
  for (const WineHostileCase& c : cases) {
    const CommandResult run = Picture(c.text);
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << c.name << "\n" << run.out << run.err;
    EXPECT_EQ(run.Field("result"), c.result) << c.name;
  }
}

TEST(HostileInputUnderWine, OutputSizesAtTheEdges) {
  WineSession& wine = WineSession::Get();
  WineRegistry registry(wine);
  const std::string key = "HKCU\\SoftWare\\Corvane\\DXFplugin";
  const std::string drawing = Scene({{0, "CIRCLE"}, {10, "100"}, {20, "100"}, {40, "90"}, {0, "TEXT"}, {1, "AB"}});
  struct SizeCase {
    const char* width;
    const char* height;
    std::vector<std::string> results;  // what a 32-bit process may answer
  };
  // 9999 x 9999 needs 300 MB for the surface and as much for the host's block:
  // a 32-bit process may run out of room, which must come back as result 4.
  for (const SizeCase& c : {SizeCase{"1", "1", {"0"}}, SizeCase{"9999", "9999", {"0", "4"}}}) {
    registry.DeleteTree(key);
    ASSERT_TRUE(registry.Set(key + "\\System", "DXF_W", "REG_SZ", c.width));
    ASSERT_TRUE(registry.Set(key + "\\System", "DXF_H", "REG_SZ", c.height));
    const CommandResult run = Picture(drawing);
    EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << run.out << run.err;
    EXPECT_NE(std::find(c.results.begin(), c.results.end(), run.Field("result")), c.results.end())
        << c.width << " x " << c.height << ": " << run.Field("result");
  }
  registry.DeleteTree(key);
}

}  // namespace
}  // namespace karvex::testing
