#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "render/font_cell.h"

namespace karvex {
namespace {

// IPAGothic's figures: 2048 units per em, a cell of 1802 + 401 units, half-
// width characters 1024 units wide, monospaced.
FaceMetrics IpaGothic() {
  FaceMetrics face;
  face.unitsPerEm = 2048;
  face.winAscent = 1802;
  face.winDescent = 401;
  face.hheaAscender = 1802;
  face.hheaDescender = -246;
  face.averageWidth = 1024;
  face.fixedPitch = true;
  return face;
}

struct HeightCase {
  std::int32_t height;
  FontCell cell;
};

// What the platform's text metrics report for this face under Wine (em =
// cell height less internal leading).
const HeightCase kHeights[] = {
    {24, {22, 19, 4}},
    {-24, {24, 21, 5}},
    {12, {11, 10, 2}},
    {16, {15, 13, 3}},
    {-16, {16, 14, 3}},
    {0, {15, 13, 3}},  // the default: a 16-pixel cell
    {65535, {60924, 53606, 11929}},
    {70000, {65075, 57258, 12742}},
    // Beyond the largest em the platform draws one pixel per em.
    {100000, {1, 1, 0}},
    {-100000, {1, 1, 0}},
    {std::numeric_limits<std::int32_t>::max(), {1, 1, 0}},
    {std::numeric_limits<std::int32_t>::min(), {1, 1, 0}},
};

TEST(FontCell, HeightsSizeTheFaceAsThePlatformDoes) {
  for (const HeightCase& c : kHeights) {
    const FontCell cell = CellForHeight(IpaGothic(), c.height);
    EXPECT_EQ(cell.ppem, c.cell.ppem) << "height " << c.height;
    EXPECT_EQ(cell.ascent, c.cell.ascent) << "height " << c.height;
    EXPECT_EQ(cell.descent, c.cell.descent) << "height " << c.height;
    if (c.height > 0 && c.cell.ppem > 1) EXPECT_LE(cell.Height(), c.height) << "a cell never exceeds its height";
  }
}

TEST(FontCell, FacesWithoutWindowsMetricsUseTheHorizontalHeader) {
  FaceMetrics face = IpaGothic();
  face.winAscent = 0;
  face.winDescent = 0;
  // 1802 + 246 units: exactly one em.
  const FontCell cell = CellForHeight(face, 24);
  EXPECT_EQ(cell.ppem, 24);
  EXPECT_EQ(cell.ascent, 21);
  EXPECT_EQ(cell.descent, 3);
}

TEST(FontCell, FullWidthCharactersAdvanceTwoHalfWidthsInAFixedPitchFace) {
  struct AdvanceCase {
    std::int32_t ppem;
    std::int64_t hinted;  // 1/64 pixels
    std::int32_t fixedPitch;
    std::int32_t proportional;
  };
  const AdvanceCase cases[] = {
      {22, 704, 11, 11},   {22, 1408, 22, 22},
      {11, 384, 6, 6},     {11, 704, 12, 11},  // half-widths round up to 6
      {23, 768, 12, 12},   {23, 1472, 24, 23},
      {22, 700, 11, 11},  // a fraction counts as a whole pixel
  };
  for (const AdvanceCase& c : cases) {
    FaceMetrics face = IpaGothic();
    const FontCell cell{c.ppem, 0, 0};
    EXPECT_EQ(AdvanceInPixels(face, cell, c.hinted), c.fixedPitch) << c.ppem << " ppem, " << c.hinted;
    face.fixedPitch = false;
    EXPECT_EQ(AdvanceInPixels(face, cell, c.hinted), c.proportional) << c.ppem << " ppem, " << c.hinted;
  }
}

}  // namespace
}  // namespace karvex
