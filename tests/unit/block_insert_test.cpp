#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "plugin/result_codes.h"
#include "support/ink_box.h"
#include "support/scenes.h"

namespace karvex {
namespace {

using testing::DrawnCalls;
using testing::ExpectDrawn;
using testing::DxfText;
using testing::Pair;
using testing::PairEndingOnReport;
using testing::PluginHarness;
using testing::SceneWithBlocks;
using Calls = std::vector<std::string>;

// One unit is one pixel: the point (x, y) is column x, row 453 - y.
TEST(BlockInsert, PointsTurnAboutTheBasePointAndMoveOntoTheInsertionPoint) {
  ExpectDrawn({
      {"a line turned 90 degrees at (100, 50)",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {10, "0"}, {20, "0"}, {0, "LINE"}, {10, "0"}, {20, "0"},
                        {11, "10"}, {21, "0"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "100"}, {20, "50"}, {50, "90"}}),
       {"move 100 403", "line 100 393"}},
      {"each end turns with its own polar angle",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "LINE"}, {10, "10"}, {20, "0"}, {11, "0"}, {21, "10"},
                        {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "20"}, {20, "20"}, {50, "90"}}),
       {"move 20 423", "line 10 433"}},  // (0,10)-(-10,0) moved by (20,20)
      {"the base point lands on the insertion point",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {10, "5"}, {20, "5"}, {0, "POINT"}, {10, "5"}, {20, "5"},
                        {0, "POINT"}, {10, "6"}, {20, "5"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "0"}, {20, "0"}}),
       {"pixel 0 453 0", "pixel 1 453 0"}},
      {"scale factors are not read",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "3"}, {20, "0"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {41, "2"}, {42, "2"}, {10, "10"}, {20, "10"}}),
       {"pixel 13 443 0"}},
      // The text turns with the block, but the shift to its cell corner follows
      // the text's own angle alone.
      {"circles keep their radius; arcs and texts turn with the block",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "CIRCLE"}, {10, "10"}, {20, "0"}, {40, "5"}, {0, "ARC"},
                        {10, "10"}, {20, "0"}, {40, "5"}, {50, "0"}, {51, "90"}, {0, "TEXT"}, {10, "10"}, {20, "0"},
                        {40, "2"}, {1, "T"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "100"}, {20, "100"}, {50, "90"}}),
       {"ellipse 95 348 105 338", "arc 95 348 105 338 100 338 95 343", "text 100 341 2 900 \"T\""}},
      {"a closed polyline and the default text height",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POLYLINE"}, {70, "9"}, {0, "VERTEX"}, {10, "0"}, {20, "0"},
                        {0, "VERTEX"}, {10, "4"}, {0, "VERTEX"}, {20, "4"}, {0, "SEQEND"}, {0, "TEXT"}, {1, "x"},
                        {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "10"}}),
       {"move 10 443", "line 14 443", "line 14 439", "line 10 443", "text 10 438 5 0 \"x\""}},
  });
}

TEST(BlockInsert, NamesMatchExactlyAndEveryEntryWithTheNameIsDrawn) {
  const std::initializer_list<Pair> blocks{
      {0, "BLOCK"}, {2, "Door"}, {0, "POINT"}, {10, "1"}, {0, "ENDBLK"},
      {0, "BLOCK"}, {2, "DOOR"}, {0, "POINT"}, {10, "2"}, {0, "ENDBLK"},
      {0, "BLOCK"}, {2, "DOOR"}, {0, "POINT"}, {10, "3"}, {0, "ENDBLK"},
  };
  ExpectDrawn({
      {"duplicates in index order", SceneWithBlocks(blocks, {{0, "INSERT"}, {2, "DOOR"}}),
       {"pixel 2 453 0", "pixel 3 453 0"}},
      {"letter case counts", SceneWithBlocks(blocks, {{0, "INSERT"}, {2, "Door"}}), {"pixel 1 453 0"}},
      {"no such block: nothing, and the next entity once",
       SceneWithBlocks(blocks, {{0, "INSERT"}, {2, "WINDOW"}, {0, "POINT"}, {10, "9"}}), {"pixel 9 453 0"}},
      {"no name: nothing, whatever an earlier entity left",
       SceneWithBlocks(blocks, {{0, "LINE"}, {6, "DOOR"}, {0, "INSERT"}, {10, "5"}}), {"move 0 453", "line 0 453"}},
      {"trailing blank", SceneWithBlocks(blocks, {{0, "INSERT"}, {2, "DOOR "}}), {}},
  });
}

TEST(BlockInsert, NestedInsertsAreNotDrawnAndAttributesArePassedOver) {
  ExpectDrawn({
      {"nested",
       SceneWithBlocks({{0, "BLOCK"}, {2, "INNER"}, {0, "POINT"}, {10, "7"}, {0, "ENDBLK"}, {0, "BLOCK"}, {2, "OUTER"},
                        {0, "INSERT"}, {2, "INNER"}, {0, "CIRCLE"}, {40, "1"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "OUTER"}}),
       {"ellipse -1 454 1 452"}},
      {"attributes after an insert",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {66, "1"}, {0, "ATTRIB"}, {1, "v"}, {0, "SEQEND"}, {0, "POINT"},
                        {10, "4"}}),
       {"pixel 0 453 0", "pixel 4 453 0"}},
  });
}

TEST(BlockInsert, AFailureEndsOnlyItsBlock) {
  ExpectDrawn({
      {"a broken value in the second entity",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "1"}, {0, "POINT"}, {10, "1.2.3"}, {0, "POINT"},
                        {10, "3"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {0, "INSERT"}, {2, "B"}, {0, "POINT"}, {10, "9"}}),
       {"pixel 1 453 0", "pixel 1 453 0", "pixel 9 453 0"}},
      // Replays of one name share the reader's pair: the next one's header
      // starts on the pair the one before stopped on.
      {"a replay stopped on a base-point value stops the next of the name at once",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "1"}, {0, "POINT"}, {10, "1.2.3"}, {0, "ENDBLK"},
                        {0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "5"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {0, "INSERT"}, {2, "B"}, {0, "POINT"}, {10, "9"}}),
       {"pixel 1 453 0", "pixel 1 453 0", "pixel 9 453 0"}},
      {"a replay stopped on another value does not",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "1"}, {0, "CIRCLE"}, {40, "x"}, {0, "ENDBLK"},
                        {0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "5"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {0, "POINT"}, {10, "9"}}),
       {"pixel 1 453 0", "pixel 5 453 0", "pixel 9 453 0"}},
      {"an empty block stops at its own end",
       SceneWithBlocks({{0, "BLOCK"}, {2, "EMPTY"}, {0, "ENDBLK"}, {0, "BLOCK"}, {2, "NEXT"}, {0, "POINT"},
                        {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "EMPTY"}, {0, "POINT"}, {10, "2"}}),
       {"pixel 2 453 0"}},
  });
}

// The block's HATCH, ATTDEF and INSERT carry group-2 pairs of their own;
// both INSERTs of the block's own name draw it.
TEST(BlockInsert, ABlockIsFoundByItsOwnNameWhateverItsEntitiesAreNamed) {
  PluginHarness harness;
  const auto picture = harness.PictureFromFile(std::string(KARVEX_FIXTURES_DIR) + "/block_names.dxf");
  ASSERT_EQ(picture.result, kSuccess);
  const testing::BottomUpImage image(picture.header.biWidth, picture.header.biHeight, picture.pixels);
  // 3.2 pixels a unit: the frame of the first insertion, at (20, 20), with
  // its circle inside; the second, at (130, 80) turned by 30 degrees.
  const testing::InkBox first = image.InkWithin(0, 250, 300, 452);
  EXPECT_EQ(std::tuple(first.left, first.top, first.right, first.bottom), std::tuple(64, 293, 192, 389));
  const testing::InkBox second = image.InkWithin(330, 0, 639, 240);
  EXPECT_EQ(std::tuple(second.left, second.top, second.right, second.bottom), std::tuple(368, 50, 527, 197));
}

TEST(BlockInsert, ASolidsColourCarriesOnAfterTheInsert) {
  ExpectDrawn({
      {"solid in a block",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "SOLID"}, {62, "255"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {0, "LINE"}, {11, "1"}}),
       {"pen 255", "move 0 453", "line 0 453", "line 0 453", "line 0 453", "line 0 453", "move 0 453",
        "line 1 453"}},
  });
}

TEST(BlockInsert, ScaleTwoAtHeight480PutsABlockPointAt200By380) {
  Settings settings;
  settings.OutputHeight = 480;
  PluginHarness harness(settings);
  const std::string text = DxfText()
                               .Section("HEADER", {{9, "$EXTMAX"}, {10, "320"}, {20, "240"}})
                               .Section("BLOCKS", {{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {0, "ENDBLK"}})
                               .Section("ENTITIES", {{0, "INSERT"}, {2, "B"}, {10, "100"}, {20, "50"}})
                               .Eof()
                               .Text();
  EXPECT_EQ(DrawnCalls(harness, text), (Calls{"pixel 200 380 0"}));
}

TEST(BlockInsert, BlocksOfAnEarlierFileAreNeverReplayed) {
  PluginHarness harness;
  const std::string withBlocks = SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {0, "ENDBLK"}},
                                                 {{0, "INSERT"}, {2, "B"}});
  ASSERT_EQ(DrawnCalls(harness, withBlocks), (Calls{"pixel 0 453 0"}));
  EXPECT_EQ(DrawnCalls(harness, testing::Scene({{0, "INSERT"}, {2, "B"}, {0, "POINT"}, {10, "5"}})),
            (Calls{"pixel 5 453 0"}));
}

TEST(BlockInsert, StopAskedDuringTheInsertEndsTheWalkAfterTheBlocksFirstPass) {
  std::string text = DxfText()
                         .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                         .Section("BLOCKS", {{0, "BLOCK"}, {2, "B"}, {0, "POINT"}, {10, "1"}, {0, "LINE"},
                                             {0, "POINT"}, {10, "2"}, {0, "ENDBLK"}})
                         .Add(0, "SECTION")
                         .Add(2, "ENTITIES")
                         .Add(0, "INSERT")
                         .Add(2, "B")
                         .Text();
  text += PairEndingOnReport(text);
  text += DxfText().Add({{0, "POINT"}, {10, "9"}}).Add(0, "ENDSEC").Eof().Text();
  PluginHarness harness;
  const auto picture = harness.PictureFromMemory(text, 2);
  EXPECT_EQ(picture.result, kSuccess);
  // The block's first pass draws its POINT; the LINE waits for a pass that
  // never comes, and the walk stops before the POINT after the INSERT.
  Calls calls = harness.Surfaces().CallStrings();
  EXPECT_EQ(calls, (Calls{"pen 0", "hollow_brush", "pixel 1 453 0"}));
}

}  // namespace
}  // namespace karvex
