// The raster canvas's drawing conventions, with expected pixels taken from
// GDI under Wine for the same calls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "render/raster_surface.h"

namespace karvex {
namespace {

class RasterCanvasTest : public ::testing::Test {
 protected:
  RasterCanvas canvas_{40, 40, nullptr};

  // Inked pixels, row by row from the top: "x,y x,y …".
  static std::string Inked(const RasterCanvas& canvas) {
    std::string text;
    for (std::int32_t y = 0; y < canvas.Height(); ++y) {
      for (std::int32_t x = 0; x < canvas.Width(); ++x) {
        if (canvas.PixelAt(x, y) == kWhite) continue;
        if (!text.empty()) text += ' ';
        text += std::to_string(x) + "," + std::to_string(y);
      }
    }
    return text;
  }
  std::string Inked() const { return Inked(canvas_); }
};

struct LineCase {
  std::int32_t x0, y0, x1, y1;
  const char* pixels;
};

// Every octant, both ways; the exact minor coordinate passes through halves
// at every other step, and a half goes to the smaller coordinate.
TEST_F(RasterCanvasTest, LinesPickTheSamePixelsAsGdiInEveryOctantAndDirection) {
  const LineCase cases[] = {
      {16, 16, 22, 19, "16,16 17,16 18,17 19,17 20,18 21,18"},
      {22, 19, 16, 16, "17,16 18,17 19,17 20,18 21,18 22,19"},
      {16, 16, 19, 22, "16,16 16,17 17,18 17,19 18,20 18,21"},
      {19, 22, 16, 16, "16,17 17,18 17,19 18,20 18,21 19,22"},
      {16, 16, 13, 22, "16,16 15,17 15,18 14,19 14,20 13,21"},
      {13, 22, 16, 16, "15,17 15,18 14,19 14,20 13,21 13,22"},
      {16, 16, 10, 19, "15,16 16,16 13,17 14,17 11,18 12,18"},
      {10, 19, 16, 16, "15,16 13,17 14,17 11,18 12,18 10,19"},
      {16, 16, 10, 13, "11,13 12,14 13,14 14,15 15,15 16,16"},
      {10, 13, 16, 16, "10,13 11,13 12,14 13,14 14,15 15,15"},
      {16, 16, 13, 10, "13,11 14,12 14,13 15,14 15,15 16,16"},
      {13, 10, 16, 16, "13,10 13,11 14,12 14,13 15,14 15,15"},
      {16, 16, 19, 10, "18,11 18,12 17,13 17,14 16,15 16,16"},
      {19, 10, 16, 16, "19,10 18,11 18,12 17,13 17,14 16,15"},
      {16, 16, 22, 13, "21,13 19,14 20,14 17,15 18,15 16,16"},
      {22, 13, 16, 16, "21,13 22,13 19,14 20,14 17,15 18,15"},
      {2, 2, 10, 5, "2,2 3,2 4,3 5,3 6,3 7,4 8,4 9,5"},
  };
  for (const LineCase& line : cases) {
    RasterCanvas canvas(40, 40, nullptr);
    canvas.MoveTo(line.x0, line.y0);
    canvas.LineTo(line.x1, line.y1);
    EXPECT_EQ(Inked(canvas), line.pixels) << line.x0 << "," << line.y0 << " to " << line.x1 << "," << line.y1;
  }
}

TEST_F(RasterCanvasTest, LineLeavesItsEndPixelOutAndMovesOnFromThere) {
  canvas_.MoveTo(5, 5);
  canvas_.LineTo(5, 5);  // zero length: nothing, position unchanged
  EXPECT_EQ(Inked(), "");
  canvas_.LineTo(8, 5);
  EXPECT_EQ(Inked(), "5,5 6,5 7,5");
  canvas_.LineTo(8, 7);  // continues from (8, 5), which it now draws
  EXPECT_EQ(Inked(), "5,5 6,5 7,5 8,5 8,6");
}

TEST_F(RasterCanvasTest, LinesAcrossTheWholeCoordinateRangeDrawOnlyTheirVisiblePart) {
  RasterCanvas canvas(32, 16, nullptr);
  canvas.MoveTo(-2000000000, 5);
  canvas.LineTo(2000000000, 7);
  std::string row6;
  for (int x = 0; x < 32; ++x) row6 += (x ? " " : "") + std::to_string(x) + ",6";
  EXPECT_EQ(Inked(canvas), row6);

  RasterCanvas diagonal(16, 16, nullptr);
  diagonal.MoveTo(INT32_MAX, INT32_MAX);
  diagonal.LineTo(INT32_MIN, INT32_MIN);
  std::string expected;
  for (int i = 0; i < 16; ++i) expected += (i ? " " : "") + std::to_string(i) + "," + std::to_string(i);
  EXPECT_EQ(Inked(diagonal), expected);

  RasterCanvas missed(16, 16, nullptr);
  missed.MoveTo(INT32_MIN, 20);
  missed.LineTo(INT32_MAX, 40);
  missed.MoveTo(-1, INT32_MIN);
  missed.LineTo(-1, INT32_MAX);
  EXPECT_EQ(Inked(missed), "");
}

TEST_F(RasterCanvasTest, EllipsesMatchGdiIncludingNarrowOnesThatStopShortOfTheirTop) {
  canvas_.Ellipse(10, 10, 16, 16);
  EXPECT_EQ(Inked(), "12,10 13,10 11,11 14,11 10,12 15,12 10,13 15,13 11,14 14,14 12,15 13,15");
  RasterCanvas narrow(40, 40, nullptr);
  narrow.Ellipse(10, 10, 14, 20);  // rows 10 and 19 stay empty, as in GDI
  EXPECT_EQ(Inked(narrow),
            "11,11 12,11 10,12 13,12 10,13 13,13 10,14 13,14 10,15 13,15 10,16 13,16 10,17 13,17 11,18 12,18");
}

TEST_F(RasterCanvasTest, EllipseBoxIsTheSameWhicheverWayItsCornersCome) {
  const std::int32_t boxes[][4] = {{3, 4, 30, 21}, {30, 4, 3, 21}, {3, 21, 30, 4}, {30, 21, 3, 4}};
  std::string first;
  for (const auto& box : boxes) {
    RasterCanvas canvas(40, 40, nullptr);
    canvas.Ellipse(box[0], box[1], box[2], box[3]);
    if (first.empty()) first = Inked(canvas);
    EXPECT_EQ(Inked(canvas), first);
  }
  // Right and bottom edges exclusive: columns 3 … 29, rows 4 … 20.
  EXPECT_NE(first.find("3,12"), std::string::npos);
  EXPECT_NE(first.find("29,12"), std::string::npos);
  EXPECT_EQ(first.find("30,"), std::string::npos);
  EXPECT_NE(first.find(",4"), std::string::npos);
  EXPECT_NE(first.find(",20"), std::string::npos);
  EXPECT_EQ(first.find(",21"), std::string::npos);
}

TEST_F(RasterCanvasTest, DegenerateBoxesAreEmptyOrFilledAsInGdi) {
  struct Case {
    std::int32_t left, top, right, bottom;
    const char* pixels;
  };
  const Case cases[] = {
      {10, 10, 10, 15, ""},                          // no width
      {10, 10, 15, 10, ""},                          // no height
      {10, 10, 11, 11, ""},                          // one pixel
      {10, 10, 11, 13, "10,10 10,11 10,12"},         // one wide: filled
      {10, 10, 12, 12, "10,10 11,10 10,11 11,11"},   // two by two: filled
      {10, 10, 13, 12, "10,10 11,10 12,10 10,11 11,11 12,11"},
  };
  for (const Case& box : cases) {
    RasterCanvas canvas(40, 40, nullptr);
    canvas.Ellipse(box.left, box.top, box.right, box.bottom);
    EXPECT_EQ(Inked(canvas), box.pixels) << box.left << " " << box.top << " " << box.right << " " << box.bottom;
  }
}

// The outline of a circle a billion pixels across, where it crosses the
// picture: close to the true circle everywhere, and 8-connected.
TEST_F(RasterCanvasTest, HugeCirclesDrawTheirVisiblePartOnTheCurve) {
  const std::int64_t radius = 1000000000;
  const long double centreX = 16.5L - radius * std::sqrt(0.5L), centreY = 16.5L + radius * std::sqrt(0.5L);
  const auto left = static_cast<std::int32_t>(std::llround(centreX - radius - 0.5L));
  const auto top = static_cast<std::int32_t>(std::llround(centreY - radius - 0.5L));
  RasterCanvas canvas(32, 32, nullptr);
  canvas.Ellipse(left, top + 2 * static_cast<std::int32_t>(radius), left + 2 * static_cast<std::int32_t>(radius), top);
  const long double cx = left + radius, cy = top + radius, r = radius - 0.5L;
  int inked = 0;
  for (std::int32_t y = 0; y < 32; ++y) {
    for (std::int32_t x = 0; x < 32; ++x) {
      if (canvas.PixelAt(x, y) == kWhite) continue;
      ++inked;
      const long double dx = x + 0.5L - cx, dy = y + 0.5L - cy;
      EXPECT_LE(std::fabs(std::sqrt(dx * dx + dy * dy) - r), 1.0L) << x << "," << y;
      bool neighbour = false;
      for (int ny = y - 1; ny <= y + 1; ++ny) {
        for (int nx = x - 1; nx <= x + 1; ++nx) {
          if ((nx != x || ny != y) && canvas.PixelAt(nx, ny) != kWhite) neighbour = true;
        }
      }
      EXPECT_TRUE(neighbour) << x << "," << y;
    }
  }
  EXPECT_GE(inked, 32);

  // Seen at its leftmost point, the same kind of circle is one column.
  RasterCanvas edge(8, 16, nullptr);
  edge.Ellipse(5, 8 + 1000000000, 5 + 2000000000, 8 - 1000000000);
  std::string column;
  for (int y = 0; y < 16; ++y) column += (y ? " " : "") + std::string("5,") + std::to_string(y);
  EXPECT_EQ(Inked(edge), column);
}

TEST_F(RasterCanvasTest, ArcsRunCounterClockwiseFromTheStartRayToTheEndRay) {
  // A quarter: from the rightmost point up to just before the top.
  canvas_.Arc(10, 10, 31, 31, 40, 20, 20, 0);
  EXPECT_EQ(Inked(), "22,10 23,10 24,11 25,11 26,12 27,13 28,14 29,15 29,16 30,17 30,18 30,19 30,20");
  // The rest, from the top round the left to the rightmost point.
  RasterCanvas rest(40, 40, nullptr);
  rest.Arc(10, 10, 31, 31, 20, 0, 40, 20);
  EXPECT_EQ(Inked(rest),
            "17,10 18,10 19,10 20,10 15,11 16,11 14,12 13,13 12,14 11,15 11,16 10,17 10,18 10,19 10,20 10,21 30,21 "
            "10,22 30,22 10,23 30,23 11,24 29,24 11,25 29,25 12,26 28,26 13,27 27,27 14,28 26,28 15,29 16,29 24,29 "
            "25,29 17,30 18,30 19,30 20,30 21,30 22,30 23,30");
}

TEST_F(RasterCanvasTest, ArcWithStartAndEndOnOneRayIsTheWholeEllipse) {
  const std::int32_t boxes[][4] = {{10, 10, 31, 31}, {4, 6, 36, 19}, {30, 30, 8, 12}};
  const std::int32_t rays[][2] = {{100, 20}, {20, -50}, {0, 39}, {35, 1}};
  for (const auto& box : boxes) {
    RasterCanvas whole(40, 40, nullptr);
    whole.Ellipse(box[0], box[1], box[2], box[3]);
    for (const auto& ray : rays) {
      RasterCanvas arc(40, 40, nullptr);
      arc.Arc(box[0], box[1], box[2], box[3], ray[0], ray[1], ray[0], ray[1]);
      EXPECT_EQ(Inked(arc), Inked(whole)) << box[0] << " " << box[1] << " ray " << ray[0] << "," << ray[1];
    }
  }
}

TEST_F(RasterCanvasTest, ArcWhoseRaysEncloseNoOutlinePointDrawsNothing) {
  // 31 and 32 degrees on a circle of radius 10: no outline point between.
  canvas_.Arc(10, 10, 31, 31, 85737, -51484, 84825, -52972);
  EXPECT_EQ(Inked(), "");
}

TEST_F(RasterCanvasTest, ArcNeitherUsesNorMovesTheCurrentPosition) {
  canvas_.MoveTo(1, 1);
  canvas_.Arc(10, 10, 31, 31, 40, 20, 20, 0);
  canvas_.LineTo(3, 1);
  EXPECT_EQ(canvas_.PixelAt(1, 1), kBlack);
  EXPECT_EQ(canvas_.PixelAt(2, 1), kBlack);
}

TEST_F(RasterCanvasTest, PixelsAndPenColoursLandInTheBottomUpRowsAsBlueGreenRed) {
  RasterCanvas canvas(5, 3, nullptr);
  canvas.SetPixel(0, 0, 0x00112233);
  canvas.SetPixel(4, 2, 0x00445566);
  canvas.SetPixel(5, 0, kBlack);   // outside: ignored
  canvas.SetPixel(-1, 2, kBlack);  // outside: ignored
  canvas.SetPixel(0, 3, kBlack);   // outside: ignored
  const std::size_t stride = 16;   // 5 pixels of 3 bytes, padded to 4
  const std::uint8_t* rows = canvas.Rows();
  // Row 0 of the picture is the last row of the buffer.
  EXPECT_EQ(rows[2 * stride + 0], 0x11);
  EXPECT_EQ(rows[2 * stride + 1], 0x22);
  EXPECT_EQ(rows[2 * stride + 2], 0x33);
  EXPECT_EQ(rows[4 * 3 + 0], 0x44);
  EXPECT_EQ(rows[4 * 3 + 2], 0x66);
  EXPECT_EQ(Inked(canvas), "0,0 4,2");
  EXPECT_EQ(rows[15], 0);  // row padding stays zero

  RasterCanvas pen(8, 8, nullptr);
  pen.SetPenColor(0x0000FF);
  pen.MoveTo(0, 0);
  pen.LineTo(3, 0);
  pen.Ellipse(2, 2, 7, 7);
  EXPECT_EQ(pen.PixelAt(1, 0), 0x0000FFu);
  EXPECT_EQ(pen.PixelAt(2, 4), 0x0000FFu);
}

// Filled polygons: the inside by pixel centres, even-odd, then the outline
// with the pen.
TEST_F(RasterCanvasTest, FilledPolygonsFillTheirInsideEvenOddAndOutlineTheirRings) {
  struct FillCase {
    const char* name;
    std::vector<PolygonPoint> points;
    std::vector<std::int32_t> rings;
    std::vector<std::pair<std::int32_t, std::int32_t>> inked, white;
  };
  const std::vector<FillCase> cases = {
      {"a square with a square hole, both running the same way",
       {{2, 2}, {20, 2}, {20, 20}, {2, 20}, {8, 8}, {14, 8}, {14, 14}, {8, 14}},
       {4, 4},
       {{5, 5}, {17, 17}, {2, 2}, {20, 20}, {8, 8}, {14, 14}},
       {{11, 11}, {9, 9}, {13, 13}, {1, 1}, {21, 21}}},
      {"a ring of three points with a fourth left over",
       {{0, 0}, {30, 0}, {0, 30}, {39, 39}}, {3}, {{5, 5}, {0, 29}}, {{20, 20}, {39, 39}}},
      {"rings that name more points than there are draw nothing", {{0, 0}, {30, 0}, {0, 30}}, {4}, {},
       {{5, 5}, {0, 0}}},
      {"a ring reaching far outside the picture", {{-2000000000, -5}, {2000000000, -5}, {0, 2000000000}}, {3},
       {{0, 0}, {39, 39}}, {}},
  };
  for (const FillCase& c : cases) {
    RasterCanvas canvas(40, 40, nullptr);
    canvas.SetPenColor(0x0000FF);
    canvas.FillPolygon(c.points, c.rings);
    for (const auto& [x, y] : c.inked) EXPECT_EQ(canvas.PixelAt(x, y), 0x0000FFu) << c.name << " at " << x << "," << y;
    for (const auto& [x, y] : c.white) EXPECT_EQ(canvas.PixelAt(x, y), kWhite) << c.name << " at " << x << "," << y;
  }
}

}  // namespace
}  // namespace karvex
