// Dashed figures: which pixels a pattern inks, how it runs on round the
// corners of a polyline and starts afresh at each move, on ellipses and
// arcs from their start, and when the figure sink draws a pattern solid.
#include "render/dash_pattern.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/canvas_sink.h"
#include "render/raster_surface.h"
#include "render/recording_canvas.h"

namespace karvex {
namespace {

// The stretches [i, i + 1) of a figure, inked ('#') or not ('.').
std::string Stretches(std::vector<float> lengths, int count, double start = 0, double width = 1) {
  DashPattern pattern;
  pattern.Set(lengths);
  DashPattern::Cursor cursor(pattern, start);
  std::string out;
  for (int i = 0; i < count; ++i) out += cursor.Next(width) ? '#' : '.';
  return out;
}

TEST(DashPattern, DashesGapsAndDotsAlongAFigure) {
  EXPECT_EQ(Stretches({3, -2}, 12), "###..###..##");
  EXPECT_EQ(Stretches({3, -2}, 6, 4), ".###..");  // from within the first gap
  EXPECT_EQ(Stretches({0, -3}, 9), "#..#..#..");   // a dot inks the stretch it lies in
  EXPECT_EQ(Stretches({2.5f, -2.5f}, 10), "##...##...");  // by the middle of each stretch
  EXPECT_EQ(Stretches({0, -1, 2, -1}, 8, 0, 0.5), "#.####..");  // a dot shows however short its stretch
  EXPECT_EQ(Stretches({3, -2}, 4, -1), ".###");          // before the start: the pattern repeats backwards
  // Patterns that repeat after no length, or draw nothing, are solid.
  for (const std::vector<float>& solid : {std::vector<float>{}, {0, 0}, {-1, -2}}) {
    DashPattern pattern;
    pattern.Set(solid);
    EXPECT_TRUE(pattern.Solid());
    EXPECT_EQ(Stretches(solid, 5), "#####");
  }
}

std::string Row(const RasterCanvas& canvas, std::int32_t y, std::int32_t from, std::int32_t to) {
  std::string out;
  for (std::int32_t x = from; x <= to; ++x) out += canvas.PixelAt(x, y) == kWhite ? '.' : '#';
  return out;
}
std::string Column(const RasterCanvas& canvas, std::int32_t x, std::int32_t from, std::int32_t to) {
  std::string out;
  for (std::int32_t y = from; y <= to; ++y) out += canvas.PixelAt(x, y) == kWhite ? '.' : '#';
  return out;
}

TEST(DashedLines, ThePatternRunsOnRoundCornersAndStartsAfreshAtAMove) {
  RasterCanvas canvas(40, 40, nullptr);
  const float pattern[] = {3, -2};
  canvas.SetPenDashes(pattern);
  // 7 pixels along the top, then down: the second line goes on two pixels
  // into the pattern's second dash.
  canvas.MoveTo(2, 2);
  canvas.LineTo(9, 2);
  canvas.LineTo(9, 12);
  EXPECT_EQ(Row(canvas, 2, 2, 8), "###..##");
  EXPECT_EQ(Column(canvas, 9, 2, 11), "#..###..##");
  // A move starts the pattern again.
  canvas.MoveTo(2, 20);
  canvas.LineTo(12, 20);
  EXPECT_EQ(Row(canvas, 20, 2, 11), "###..###..");
  // A diagonal pixel stands for √2 of the pattern.
  canvas.MoveTo(20, 20);
  canvas.LineTo(30, 30);
  std::string diagonal;
  for (int i = 0; i < 10; ++i) diagonal += canvas.PixelAt(20 + i, 20 + i) == kWhite ? '.' : '#';
  EXPECT_EQ(diagonal, "##..##.##.");
  // Solid again for an empty pattern.
  canvas.SetPenDashes({});
  canvas.MoveTo(2, 30);
  canvas.LineTo(12, 30);
  EXPECT_EQ(Row(canvas, 30, 2, 11), "##########");
}

TEST(DashedLines, ACutLineKeepsItsPatternWhereItEntersThePicture) {
  RasterCanvas cut(20, 4, nullptr);
  RasterCanvas whole(40, 4, nullptr);
  const float pattern[] = {4, -3};
  cut.SetPenDashes(pattern);
  whole.SetPenDashes(pattern);
  cut.MoveTo(-20, 1);
  cut.LineTo(19, 1);
  whole.MoveTo(0, 1);
  whole.LineTo(39, 1);
  EXPECT_EQ(Row(cut, 1, 0, 18), Row(whole, 1, 20, 38));
}

TEST(DashedCurves, EllipsesFromTheirRightmostPointArcsFromTheirStart) {
  RasterCanvas solid(60, 60, nullptr);
  RasterCanvas dashed(60, 60, nullptr);
  const float pattern[] = {6, -6};
  dashed.SetPenDashes(pattern);
  solid.Ellipse(10, 10, 50, 50);
  dashed.Ellipse(10, 10, 50, 50);
  int solidPixels = 0;
  int dashedPixels = 0;
  for (std::int32_t y = 0; y < 60; ++y) {
    for (std::int32_t x = 0; x < 60; ++x) {
      const bool inked = dashed.PixelAt(x, y) != kWhite;
      solidPixels += solid.PixelAt(x, y) != kWhite;
      dashedPixels += inked;
      EXPECT_FALSE(inked && solid.PixelAt(x, y) == kWhite) << x << "," << y;  // only the outline's pixels
    }
  }
  EXPECT_NEAR(dashedPixels, solidPixels / 2, solidPixels / 10);
  // The pattern starts with a dash at the rightmost point, and the point a
  // quarter turn on (about 31 pixels of outline) lies in its third gap.
  EXPECT_NE(dashed.PixelAt(49, 30), kWhite);
  EXPECT_EQ(dashed.PixelAt(30, 10), kWhite);

  // An arc from the top: a dash there, whatever lies at the rightmost point.
  RasterCanvas arc(60, 60, nullptr);
  const float late[] = {3, -20};
  arc.SetPenDashes(late);
  arc.Arc(10, 10, 50, 50, 30, 0, 50, 30);  // from the top round to the right
  EXPECT_TRUE(arc.PixelAt(29, 10) != kWhite || arc.PixelAt(30, 10) != kWhite);
  EXPECT_EQ(arc.PixelAt(49, 29), kWhite);
}

TEST(CanvasSink, APatternWhosePeriodIsUnderTwoPixelsIsDrawnSolid) {
  RecordingCanvas canvas;
  const Framing framing(Alignment::LowerLeft, 100, 100);
  const DrawingExtents extents{0, 0, 100, 100, 2};  // two pixels a unit
  CanvasSink sink(canvas, framing, extents);
  const float fine[] = {0.4f, -0.5f};
  const float coarse[] = {0.5f, -0.5f};
  Pen pen;
  pen.setsDashes = true;
  pen.dashes = fine;
  sink.SetPen(pen);
  pen.dashes = coarse;
  pen.dashScale = 3;
  sink.SetPen(pen);
  sink.SetPen(pen);  // the same again: nothing new for the canvas
  ASSERT_EQ(canvas.Calls().size(), 2u);
  EXPECT_EQ(ToString(canvas.Calls()[0]), "dashes");
  EXPECT_EQ(ToString(canvas.Calls()[1]), "dashes 3000 -3000");
}

}  // namespace
}  // namespace karvex
