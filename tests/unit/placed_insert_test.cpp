// With today's kinds on, an INSERT places its block with everything it
// says (scale, mirror, turn, array, base point), blocks nest, and a
// DIMENSION draws its block.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/scenes.h"

namespace karvex {
namespace {

using testing::DrawnCalls;
using testing::Pair;
using testing::PluginHarness;
using testing::SceneWithBlocks;
using Calls = std::vector<std::string>;

Settings AllKinds() {
  Settings settings;
  settings.AllKinds = 1;
  return settings;
}

Calls DrawnWithAllKinds(const std::string& text) {
  PluginHarness harness(AllKinds());
  return DrawnCalls(harness, text);
}

struct PlacedCase {
  const char* name;
  std::string text;
  Calls expected;
};

void ExpectPlaced(const std::vector<PlacedCase>& cases) {
  for (const PlacedCase& c : cases) EXPECT_EQ(DrawnWithAllKinds(c.text), c.expected) << c.name;
}

// One unit is one pixel: the point (x, y) is column x, row 453 - y.
TEST(PlacedInsert, TheBlockIsScaledTurnedMirroredAndArrayed) {
  ExpectPlaced({
      {"scale factors act about the base point",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {10, "1"}, {20, "1"}, {0, "POINT"}, {10, "2"}, {20, "3"},
                        {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "10"}, {41, "2"}, {42, "3"}}),
       {"pixel 12 437 0"}},
      {"a negative factor mirrors",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "3"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "10"}, {41, "-1"}}),
       {"pixel 7 443 0"}},
      {"scaled, then turned",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "1"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "10"}, {41, "2"}, {50, "90"}}),
       {"pixel 10 441 0"}},
      {"an extrusion pointing down mirrors",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "3"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "-10"}, {20, "10"}, {230, "-1"}}),
       {"pixel 7 443 0"}},
      // Cells lie along the turned axes, spaced by unscaled distances, row
      // by row.
      {"an array of two rows and two columns",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "10"}, {41, "3"}, {50, "90"}, {70, "2"},
                        {71, "2"}, {44, "5"}, {45, "7"}, {0, "POINT"}, {10, "1"}}),
       {"pixel 10 443 0", "pixel 10 438 0", "pixel 3 443 0", "pixel 3 438 0", "pixel 1 453 0"}},
      {"counts below one are one",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {70, "0"}, {71, "-3"}, {44, "5"}}),
       {"pixel 0 453 0"}},
      {"circles and texts scale with the block",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "CIRCLE"}, {40, "5"}, {0, "TEXT"}, {40, "2"}, {1, "T"},
                        {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "100"}, {20, "100"}, {41, "2"}, {42, "2"}}),
       {"ellipse 90 363 110 343", "text 100 349 4 0 \"T\""}},
      // Mirrored, the first quadrant's arc becomes the second's, which runs
      // counter-clockwise from the placed end to the placed start.
      {"a mirrored arc runs the other way",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "ARC"}, {40, "5"}, {50, "0"}, {51, "90"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "100"}, {20, "100"}, {41, "-1"}}),
       {"arc 95 358 105 348 100 348 95 353"}},
      {"a mirrored text still reads from its anchor",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "TEXT"}, {10, "4"}, {40, "2"}, {1, "T"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "100"}, {20, "100"}, {41, "-1"}}),
       {"text 96 351 2 0 \"T\""}},
  });
}

TEST(PlacedInsert, UnequalFactorsDrawACircleAsAnEllipseOfLines) {
  const Calls calls = DrawnWithAllKinds(
      SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "CIRCLE"}, {40, "10"}, {0, "ENDBLK"}},
                      {{0, "INSERT"}, {2, "B"}, {10, "100"}, {20, "100"}, {41, "2"}}));
  ASSERT_EQ(calls.size(), 257u);
  EXPECT_EQ(calls[0], "move 120 353");
  EXPECT_EQ(calls[64], "line 100 343");
  EXPECT_EQ(calls[128], "line 80 353");
  EXPECT_EQ(calls[192], "line 100 363");
  EXPECT_EQ(calls[256], "line 120 353");
}

TEST(PlacedInsert, BlocksInsideBlocksArePlacedInsideTheirParents) {
  const std::initializer_list<Pair> chain = {
      {0, "BLOCK"}, {2, "INNER"}, {10, "1"}, {20, "1"}, {0, "POINT"}, {10, "2"}, {20, "1"}, {0, "ENDBLK"},
      {0, "BLOCK"}, {2, "OUTER"}, {0, "INSERT"}, {2, "INNER"}, {10, "5"}, {50, "90"}, {0, "CIRCLE"}, {40, "1"},
      {0, "ENDBLK"},
  };
  ExpectPlaced({
      // INNER's (2, 1) is one unit from its base point: turned, (0, 1) from
      // (5, 0) in OUTER, then doubled and moved to (100, 100).
      {"the point transforms compose", SceneWithBlocks(chain, {{0, "INSERT"}, {2, "OUTER"}, {10, "100"}, {20, "100"},
                                                               {41, "2"}, {42, "2"}, {0, "POINT"}, {10, "1"}}),
       {"pixel 110 351 0", "ellipse 98 355 102 351", "pixel 1 453 0"}},
      {"a block inserting itself is drawn once",
       SceneWithBlocks({{0, "BLOCK"}, {2, "A"}, {0, "POINT"}, {10, "1"}, {0, "INSERT"}, {2, "A"}, {10, "10"},
                        {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "A"}, {0, "POINT"}, {10, "2"}}),
       {"pixel 1 453 0", "pixel 2 453 0"}},
      {"two blocks inserting each other: each once",
       SceneWithBlocks({{0, "BLOCK"}, {2, "A"}, {0, "POINT"}, {10, "1"}, {0, "INSERT"}, {2, "B"}, {10, "10"},
                        {0, "ENDBLK"}, {0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "2"}, {0, "INSERT"}, {2, "A"},
                        {10, "10"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "A"}}),
       {"pixel 1 453 0", "pixel 12 453 0"}},
  });
}

// B0 inserts B1 one unit further on, which inserts B2, and so on: each
// level's point lands one pixel further right, down to the deepest level
// drawn.
TEST(PlacedInsert, NestingStopsSixteenLevelsDeep) {
  testing::DxfText text;
  text.Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "640"}, {20, "453"}});
  text.Add({{0, "SECTION"}, {2, "BLOCKS"}});
  for (int level = 0; level < 20; ++level) {
    text.Add({{0, "BLOCK"}, {2, "B" + std::to_string(level)}, {0, "POINT"}, {10, "1"}, {0, "INSERT"},
              {2, "B" + std::to_string(level + 1)}, {10, "1"}, {0, "ENDBLK"}});
  }
  text.Add(0, "ENDSEC").Section("ENTITIES", {{0, "INSERT"}, {2, "B0"}, {0, "POINT"}, {10, "100"}}).Eof();
  Calls expected;
  for (int x = 1; x <= 16; ++x) expected.push_back("pixel " + std::to_string(x) + " 453 0");
  expected.push_back("pixel 100 453 0");
  EXPECT_EQ(DrawnWithAllKinds(text.Text()), expected);
}

TEST(PlacedInsert, ADimensionDrawsItsBlockWhereItLies) {
  const std::string text = SceneWithBlocks(
      {{0, "BLOCK"}, {2, "*D1"}, {0, "LINE"}, {10, "1"}, {20, "1"}, {11, "5"}, {21, "1"}, {0, "ENDBLK"}},
      {{0, "DIMENSION"}, {2, "*D1"}, {10, "50"}, {20, "50"}, {3, "Standard"}, {0, "POINT"}, {10, "9"}});
  EXPECT_EQ(DrawnWithAllKinds(text), (Calls{"move 1 452", "line 5 452", "pixel 9 453 0"}));
  EXPECT_EQ(DrawnCalls(text), (Calls{"pixel 9 453 0"})) << "without today's kinds";
}

// BYBLOCK hands an INSERT's colour down through every level of nesting.
TEST(PlacedInsert, ByBlockColoursPassThroughNestedInserts) {
  Settings settings = AllKinds();
  settings.LineColors = 1;
  PluginHarness harness(settings);
  const Calls calls = DrawnCalls(
      harness, SceneWithBlocks({{0, "BLOCK"}, {2, "INNER"}, {0, "LINE"}, {62, "0"}, {11, "5"}, {0, "ENDBLK"},
                                {0, "BLOCK"}, {2, "OUTER"}, {0, "INSERT"}, {2, "INNER"}, {62, "0"}, {0, "ENDBLK"}},
                               {{0, "LINE"}, {62, "1"}, {10, "1"}, {0, "LINE"}, {62, "3"}, {10, "2"}, {0, "INSERT"},
                                {2, "OUTER"}, {62, "1"}, {10, "100"}}));
  // Colour 1 is red (255), colour 3 green: the nested line, BYBLOCK twice
  // over, is red as its outer INSERT.
  const Calls drawn(std::find(calls.begin(), calls.end(), "hollow_brush") + 1, calls.end());
  EXPECT_EQ(drawn, (Calls{"pen 255", "text_color 255", "move 1 453", "line 0 453", "pen 65280", "text_color 65280",
                          "move 2 453", "line 0 453", "pen 255", "text_color 255", "move 100 453", "line 105 453"}));
}

}  // namespace
}  // namespace karvex
