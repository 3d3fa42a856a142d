// The smooth canvas draws the raster canvas's figures: reduced to black and
// white they are the same pixels, give or take a neighbour where a point
// lies halfway between two.
#include <gtest/gtest.h>

#include <cstdint>
#include <cmath>
#include <utility>
#include <functional>
#include <string>

#include "render/raster_surface.h"
#include "render/smooth_raster_surface.h"

namespace karvex {
namespace {

constexpr std::int32_t kWidth = 64;
constexpr std::int32_t kHeight = 48;

// Pixels at least half covered by a black pen.
bool Dark(const RasterCanvas& canvas, std::int32_t x, std::int32_t y) {
  return (canvas.PixelAt(x, y) & 0xFF) < 0x80;
}

bool DarkNear(const RasterCanvas& canvas, std::int32_t x, std::int32_t y) {
  for (std::int32_t dy = -1; dy <= 1; ++dy) {
    for (std::int32_t dx = -1; dx <= 1; ++dx) {
      if (Dark(canvas, x + dx, y + dy)) return true;
    }
  }
  return false;
}

struct Agreement {
  int dark = 0;       // pixels dark in either picture
  int same = 0;       // of those, dark in both
  int unmatched = 0;  // dark in one with nothing dark around it in the other
};

Agreement Compare(const std::function<void(Canvas&)>& draw) {
  RasterCanvas hard(kWidth, kHeight, nullptr);
  SmoothRasterCanvas smooth(kWidth, kHeight, nullptr);
  draw(hard);
  draw(smooth);
  Agreement agreement;
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      const bool inHard = Dark(hard, x, y);
      const bool inSmooth = Dark(smooth.Pixels(), x, y);
      if (!inHard && !inSmooth) continue;
      ++agreement.dark;
      if (inHard && inSmooth) ++agreement.same;
      if ((inHard && !DarkNear(smooth.Pixels(), x, y)) || (inSmooth && !DarkNear(hard, x, y))) ++agreement.unmatched;
    }
  }
  return agreement;
}

struct FigureCase {
  const char* what;
  std::function<void(Canvas&)> draw;
};

void Line(Canvas& c, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  c.MoveTo(x0, y0);
  c.LineTo(x1, y1);
}

// Ends of lines from the middle of the picture, one in each octant.
constexpr std::pair<std::int32_t, std::int32_t> kEnds[] = {{60, 30}, {45, 46}, {20, 44}, {3, 31},
                                                           {2, 12},  {19, 1},  {44, 2},  {61, 14}};

TEST(SmoothRaster, FiguresReducedToBlackAndWhiteAreTheHardEdgedOnes) {
  const FigureCase cases[] = {
      {"lines in every octant",
       [](Canvas& c) {
         for (const auto& [x, y] : kEnds) Line(c, 32, 24, x, y);
       }},
      {"the same lines the other way",
       [](Canvas& c) {
         for (const auto& [x, y] : kEnds) Line(c, x, y, 32, 24);
       }},
      {"a polyline", [](Canvas& c) {
         c.MoveTo(3, 40);
         for (const auto& [x, y] : {std::pair{10, 5}, {30, 35}, {50, 8}, {61, 44}, {3, 40}}) c.LineTo(x, y);
       }},
      {"lines from far outside", [](Canvas& c) {
         Line(c, -2000000000, 7, 2000000000, 41);
         Line(c, 21, 2147483647, 40, -2147483647 - 1);
       }},
      {"circles and ellipses", [](Canvas& c) {
         c.Ellipse(2, 2, 45, 45);
         c.Ellipse(20, 10, 61, 31);
         c.Ellipse(50, 40, 57, 47);
         c.Ellipse(40, 30, 44, 46);
       }},
      {"a huge circle through the picture", [](Canvas& c) { c.Ellipse(-200000, 10, 200070, 400010); }},
      {"arcs", [](Canvas& c) {
         c.Arc(2, 2, 45, 45, 45, 23, 23, 2);
         c.Arc(20, 4, 61, 45, 20, 4, 61, 45);
         c.Arc(30, 20, 50, 40, 50, 30, 51, 29);
       }},
      {"arcs of many sizes between many rays",
       [](Canvas& c) {
         for (int i = 0; i < 11; ++i) {
           const double from = i * 0.55, to = from + 1.2 + i * 0.37;
           const std::int32_t r = 3 + 2 * i;
           auto ray = [](double angle, double axis, double sign) {
             return static_cast<std::int32_t>(std::lround(axis + sign * 100 * angle));
           };
           c.Arc(32 - r, 24 - r, 32 + r + 1, 24 + r + 1, ray(std::cos(from), 32, 1), ray(std::sin(from), 24, -1),
                 ray(std::cos(to), 32, 1), ray(std::sin(to), 24, -1));
         }
       }},
  };
  for (const FigureCase& c : cases) {
    const Agreement agreement = Compare(c.draw);
    ASSERT_GT(agreement.dark, 0) << c.what;
    EXPECT_GE(agreement.same * 100, agreement.dark * 90) << c.what << ": " << agreement.same << " of "
                                                         << agreement.dark;
    EXPECT_EQ(agreement.unmatched, 0) << c.what;
  }
}

TEST(SmoothRaster, AStraightLineCoversItsPixelsWhollyInThePenColour) {
  SmoothRasterCanvas canvas(8, 4, nullptr);
  canvas.SetPenColor(0x0000FF);
  canvas.MoveTo(1, 2);
  canvas.LineTo(6, 2);
  std::string row;
  for (std::int32_t x = 0; x < 8; ++x) row += canvas.Pixels().PixelAt(x, 2) == 0x0000FF ? 'r' : '.';
  EXPECT_EQ(row, ".rrrrr..");
  EXPECT_EQ(canvas.Pixels().PixelAt(3, 1), kWhite);
  EXPECT_EQ(canvas.Pixels().PixelAt(3, 3), kWhite);
}

TEST(SmoothRaster, ADashedPenDrawsTheHardEdgedDashesInItsColourAndTheSolidPenIsSmoothAgain) {
  const float dashes[] = {4, -3};
  auto draw = [&](Canvas& c) {
    c.SetPenColor(0x0000FF);
    c.SetPenDashes(dashes);
    c.MoveTo(2, 5);
    c.LineTo(40, 5);
    c.LineTo(40, 30);  // the pattern runs on round the corner
    c.Ellipse(5, 10, 30, 40);
    c.Arc(30, 10, 60, 40, 60, 25, 45, 10);
  };
  RasterCanvas hard(kWidth, kHeight, nullptr);
  SmoothRasterCanvas smooth(kWidth, kHeight, nullptr);
  draw(hard);
  draw(smooth);
  for (std::int32_t y = 0; y < kHeight; ++y) {
    for (std::int32_t x = 0; x < kWidth; ++x) {
      ASSERT_EQ(smooth.Pixels().PixelAt(x, y), hard.PixelAt(x, y)) << x << "," << y;
    }
  }
  // Solid again: a line that is not whole pixels is blended.
  smooth.SetPenDashes({});
  smooth.MoveTo(0, 40);
  smooth.LineTo(60, 47);
  bool blended = false;
  for (std::int32_t x = 0; x < 60; ++x) {
    for (std::int32_t y = 40; y <= 47; ++y) {
      const Color pixel = smooth.Pixels().PixelAt(x, y);
      if (pixel != kWhite && pixel != 0x0000FF) blended = true;
    }
  }
  EXPECT_TRUE(blended);
}

}  // namespace
}  // namespace karvex
