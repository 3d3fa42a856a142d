// How an entity's style groups become the pen it is drawn with: the colour
// index with the user's seven colours, the background's contrast, and the
// BYLAYER, BYBLOCK and layer-0 rules.
#include "render/style_resolver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace karvex {
namespace {

TEST(ColourIndex, ScreenColoursOfTheStandardNumbersHuesAndGreys) {
  const std::pair<std::int32_t, Color> cases[] = {
      {1, 0x0000FF},  {2, 0x00FFFF},  {3, 0x00FF00},  {4, 0xFFFF00},  {5, 0xFF0000},  {6, 0xFF00FF},
      {7, 0xFFFFFF},  {8, 0x808080},  {9, 0xC0C0C0},  {10, 0x0000FF}, {11, 0x7F7FFF}, {12, 0x0000A5},
      {13, 0x5252A5}, {18, 0x000026}, {20, 0x003FFF}, {30, 0x007FFF}, {50, 0x00FFFF}, {90, 0x00FF00},
      {130, 0xFFFF00}, {170, 0xFF0000}, {210, 0xFF00FF}, {250, 0x333333}, {255, 0xFFFFFF},
      {0, 0x000000},  {256, 0x000000},
  };
  for (const auto& [number, colour] : cases) EXPECT_EQ(ScreenColour(number), colour) << number;
}

TEST(ColourIndex, TheSevenStandardNumbersAreTheUsersColours) {
  DrawingColours colours;
  colours.background = 0x404040;
  colours.lines = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055, 0x000066};
  colours.text = 0x000077;
  const ColourIndex index(colours);
  const std::pair<std::int32_t, Color> cases[] = {
      {4, 0x000011}, {7, 0x000022}, {3, 0x000033}, {2, 0x000044}, {6, 0x000055}, {5, 0x000066}, {1, 0x000077},
      {8, 0x808080}, {0, 0x000022}, {300, 0x000022}, {-2, 0x000022},  // no colour of its own: as 7
  };
  for (const auto& [number, colour] : cases) EXPECT_EQ(index.OfNumber(number), colour) << number;
  EXPECT_EQ(ColourIndex::OfTrueColour(0xFF8000), 0x0080FFu);
}

TEST(ColourIndex, ColoursTooCloseToTheBackgroundContrastWithIt) {
  DrawingColours dark;  // the default: black
  const ColourIndex onBlack(dark);
  EXPECT_EQ(onBlack.Seen(0xFFFFFF), 0xFFFFFFu);
  EXPECT_EQ(onBlack.Seen(0xFF0000), 0xFF0000u);  // blue stays
  EXPECT_EQ(onBlack.Seen(ScreenColour(18)), kWhite);  // a dark red does not
  EXPECT_EQ(onBlack.Seen(0x000000), kWhite);
  DrawingColours light;
  light.background = 0xFFFFFF;
  const ColourIndex onWhite(light);
  EXPECT_EQ(onWhite.Seen(onWhite.OfNumber(7)), kBlack);  // colour 7 is white: black on white
  EXPECT_EQ(onWhite.Seen(0xF0F0F0), kBlack);
  EXPECT_EQ(onWhite.Seen(0x0000FF), 0x0000FFu);
}

class StyleResolverTest : public ::testing::Test {
 protected:
  StyleResolverTest() {
    options_.lineTypes = true;
    options_.lineColours = true;
    tables_.SetLineTypeScale(2);
    tables_.AddLineType("DASHED").pattern = {3, -1};
    tables_.AddLineType("DOT").pattern = {0, -1};
    LayerStyle& walls = tables_.AddLayer("WALLS");
    walls.colourNumber = 1;
    walls.lineType = "dashed";
    tables_.AddLayer("OFF").colourNumber = -5;
    tables_.AddLayer("TRUE").trueColour = 0x00FF00;
  }

  static StyleGroups Groups(std::string_view layer, std::int32_t colour = kColourByLayer,
                            std::string_view lineType = {}, float scale = 1) {
    StyleGroups groups;
    groups.layer = layer;
    groups.colourNumber = colour;
    groups.lineType = lineType;
    groups.lineTypeScale = scale;
    return groups;
  }

  DrawingOptions options_;
  StyleTables tables_;
};

TEST_F(StyleResolverTest, ColoursByLayerByBlockAndOfTheirOwn) {
  const StyleResolver resolver(options_, tables_);
  BlockStyle block = resolver.ForInsert(Groups("WALLS", 3));
  EXPECT_EQ(block.layer, "WALLS");
  EXPECT_EQ(block.colour, 0x00FF00u);
  struct Case {
    const char* name;
    StyleGroups groups;
    const BlockStyle* block;
    bool visible;
    Color colour;
  };
  StyleGroups trueColour = Groups("0", 5);
  trueColour.trueColour = 0x112233;
  const Case cases[] = {
      {"by layer", Groups("walls"), nullptr, true, 0x0000FF},
      {"its own colour", Groups("WALLS", 5), nullptr, true, 0xFF0000},
      {"true colour over colour 5", trueColour, nullptr, true, 0x332211},
      {"a layer's true colour", Groups("TRUE"), nullptr, true, 0x00FF00},
      {"a layer not in the table: 7", Groups("NEW"), nullptr, true, 0xFFFFFF},
      {"no layer at all: layer 0, not in the table", Groups(""), nullptr, true, 0xFFFFFF},
      {"a layer that is off", Groups("OFF", 1), nullptr, false, 0x0000FF},
      {"by block outside a block: 7", Groups("0", kColourByBlock), nullptr, true, 0xFFFFFF},
      {"by block inside one", Groups("OFF", kColourByBlock), &block, false, 0x00FF00},
      {"layer 0 in a block is the INSERT's layer", Groups("0"), &block, true, 0x0000FF},
      {"a colour too close to the background", Groups("0", 18), nullptr, true, kWhite},
  };
  for (const Case& c : cases) {
    const Pen pen = resolver.PenFor(c.groups, c.block);
    EXPECT_TRUE(pen.setsColour) << c.name;
    EXPECT_EQ(pen.visible, c.visible) << c.name;
    EXPECT_EQ(pen.colour, c.colour) << c.name;
  }
}

TEST_F(StyleResolverTest, LineTypesByLayerByBlockAndOfTheirOwn) {
  const StyleResolver resolver(options_, tables_);
  const BlockStyle block = resolver.ForInsert(Groups("0", 7, "Dot"));
  struct Case {
    const char* name;
    StyleGroups groups;
    const BlockStyle* block;
    std::vector<float> dashes;
    float scale;
  };
  const std::vector<float> dashed{3, -1};
  const std::vector<float> dots{0, -1};
  const Case cases[] = {
      {"by layer, named in other letter case", Groups("WALLS"), nullptr, dashed, 2},
      {"BYLAYER written out", Groups("walls", 7, "ByLayer", 0.5f), nullptr, dashed, 1},
      {"its own", Groups("0", 7, "DOT"), nullptr, dots, 2},
      {"continuous", Groups("WALLS", 7, "CONTINUOUS"), nullptr, {}, 2},
      {"a line type not in the table is solid", Groups("WALLS", 7, "ZIGZAG"), nullptr, {}, 2},
      {"by block outside a block is solid", Groups("WALLS", 7, "BYBLOCK"), nullptr, {}, 2},
      {"by block inside one", Groups("WALLS", 7, "byblock", 3), &block, dots, 6},
  };
  for (const Case& c : cases) {
    const Pen pen = resolver.PenFor(c.groups, c.block);
    EXPECT_TRUE(pen.setsDashes) << c.name;
    EXPECT_EQ(std::vector<float>(pen.dashes.begin(), pen.dashes.end()), c.dashes) << c.name;
    EXPECT_EQ(pen.dashScale, c.scale) << c.name;
  }
}

TEST_F(StyleResolverTest, EachOptionSetsOnlyItsOwnPart) {
  options_.lineColours = false;
  const Pen lineTypesOnly = StyleResolver(options_, tables_).PenFor(Groups("OFF", 1, "DASHED"), nullptr);
  EXPECT_TRUE(lineTypesOnly.visible);  // layers are off only for a picture in colours
  EXPECT_FALSE(lineTypesOnly.setsColour);
  EXPECT_TRUE(lineTypesOnly.setsDashes);
  options_.lineColours = true;
  options_.lineTypes = false;
  const Pen coloursOnly = StyleResolver(options_, tables_).PenFor(Groups("WALLS"), nullptr);
  EXPECT_TRUE(coloursOnly.setsColour);
  EXPECT_FALSE(coloursOnly.setsDashes);
}

}  // namespace
}  // namespace karvex
