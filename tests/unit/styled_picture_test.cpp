// Whole pictures of a drawing with layers, line types and colours, drawn
// plain, in line types and in colours.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/plugin_harness.h"
#include "support/scenes.h"

namespace karvex::testing {
namespace {

std::string StylesDrawing() {
  std::ifstream in(std::string(KARVEX_FIXTURES_DIR) + "/styles.dxf", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

PictureResult Draw(bool lineTypes, bool lineColours) {
  Settings settings;
  settings.LineTypes = lineTypes ? 1 : 0;
  settings.LineColors = lineColours ? 1 : 0;
  PluginHarness harness(settings);
  return harness.PictureFromMemory(StylesDrawing());
}

// The pixels of row y from x0 to x1: '.' the colour given, '#' another.
std::string Row(const PictureResult& picture, std::int32_t y, std::int32_t x0, std::int32_t x1, std::uint32_t dot) {
  std::string out;
  for (std::int32_t x = x0; x <= x1; ++x) out += picture.PixelAt(x, y) == dot ? '.' : '#';
  return out;
}

// The drawing is 200 x 141 units, 3.2 pixels a unit at 640 x 453: (x, y)
// lands on column 3.2 x, row 453 - 3.2 y.
constexpr std::int32_t kOffLayerRow = 229;    // y = 70, on the layer that is off
constexpr std::int32_t kDashedGreenRow = 197;  // y = 80, colour 3, DASHED at half its scale
constexpr std::int32_t kOrangeRow = 165;       // y = 90, true colour 0xFF8000

TEST(StyledPicture, PlainEverythingIsSolidAndBlack) {
  const PictureResult plain = Draw(false, false);
  ASSERT_EQ(plain.result, 0);
  for (std::int32_t row : {kOffLayerRow, kDashedGreenRow, kOrangeRow}) {
    EXPECT_EQ(Row(plain, row, 40, 280, kBlack), std::string(241, '.')) << row;
  }
}

TEST(StyledPicture, InLineTypesTheLinesAreDashedAndEveryLayerDrawn) {
  const PictureResult picture = Draw(true, false);
  ASSERT_EQ(picture.result, 0);
  EXPECT_EQ(picture.PixelAt(0, 0), kWhite);
  EXPECT_EQ(Row(picture, kOffLayerRow, 40, 280, kBlack), std::string(241, '.'));
  // DASHED (3, -1.5) at $LTSCALE 2 and group 48 0.5: 9.6 pixels on, 4.8 off.
  EXPECT_EQ(Row(picture, kDashedGreenRow, 32, 75, kBlack), "..........####..........#####.........#####.");
}

TEST(StyledPicture, InColoursEachEntityHasItsOwnAndLayersThatAreOffAreLeftOut) {
  const PictureResult picture = Draw(false, true);
  ASSERT_EQ(picture.result, 0);
  constexpr std::uint32_t kBackground = 0x000000;
  EXPECT_EQ(picture.PixelAt(0, 0), kBackground);
  EXPECT_EQ(Row(picture, kOffLayerRow, 32, 288, kBackground), std::string(257, '.'));
  EXPECT_EQ(Row(picture, kOrangeRow, 32, 287, 0x0080FF), std::string(256, '.'));
  EXPECT_EQ(Row(picture, kDashedGreenRow, 32, 287, 0x00FF00), std::string(256, '.'));  // solid: no line types
  // The outline on layer WALLS is red (colour 1 by its layer).
  EXPECT_EQ(picture.PixelAt(100, 421), 0x0000FFu);
  // The block's BYBLOCK circle takes each INSERT's colour: green (3) at
  // x = 130, blue at 170 (BYLAYER of layer Doors, 5); its layer-0 line the
  // INSERT's layer's: white (layer 0, 7) and blue. Around each INSERT:
  auto count = [&](std::int32_t centreX, std::uint32_t colour) {
    int found = 0;
    for (std::int32_t y = 325 - 40; y <= 325 + 40; ++y) {
      for (std::int32_t x = centreX - 40; x <= centreX + 40; ++x) found += picture.PixelAt(x, y) == colour;
    }
    return found;
  };
  EXPECT_GT(count(416, 0x00FF00), 100);
  EXPECT_GT(count(416, 0xFFFFFF), 50);
  EXPECT_EQ(count(416, 0xFF0000), 0);
  EXPECT_GT(count(544, 0xFF0000), 150);
  EXPECT_EQ(count(544, 0x00FF00), 0);
  EXPECT_EQ(count(544, 0xFFFFFF), 0);
}

// Texts, points and lines each take their entity's colour; a plain picture
// never sets a pen of its own beyond the SOLID's.
TEST(StyledPicture, TextsAndPointsTakeTheirColourToo) {
  const std::string text = Scene({{0, "TEXT"}, {62, "3"}, {10, "10"}, {20, "20"}, {1, "A"}, {0, "POINT"}, {62, "5"},
                                  {10, "1"}, {20, "1"}});
  Settings colours;
  colours.LineColors = 1;
  PluginHarness styled(colours);
  EXPECT_EQ(styled.Draw(text), (std::vector<std::string>{"clear 0", "pen 0", "hollow_brush", "pen 65280",
                                                         "text_color 65280", "text 10 428 5 0 \"A\"", "pen 16711680",
                                                         "text_color 16711680", "pixel 1 452 16711680"}));
  EXPECT_EQ(DrawnCalls(text), (std::vector<std::string>{"text 10 428 5 0 \"A\"", "pixel 1 452 0"}));
}

}  // namespace
}  // namespace karvex::testing
