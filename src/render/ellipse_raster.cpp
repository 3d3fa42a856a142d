#include "render/ellipse_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/arc_angles.h"
#include "render/arc_selection.h"
#include "render/ellipse_walk.h"
#include "render/wide_int.h"

namespace karvex {
namespace {

// The box with its corners put in order; semi-axes in doubled units.
struct Shape {
  std::int64_t left;
  std::int64_t top;
  std::int64_t right;
  std::int64_t bottom;

  Shape(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
      : left(std::min(x0, x1)), top(std::min(y0, y1)), right(std::max(x0, x1)), bottom(std::max(y0, y1)) {}

  std::int64_t Width() const { return right - left; }
  std::int64_t Height() const { return bottom - top; }
  std::int64_t SemiX() const { return Width() - 1; }
  std::int64_t SemiY() const { return Height() - 1; }
  bool Small() const { return SemiX() <= kNarrowResidualLimit && SemiY() <= kNarrowResidualLimit; }
  template <class Grid>
  bool Inside(const Grid& grid) const {
    return left >= 0 && top >= 0 && right <= grid.Width() && bottom <= grid.Height();
  }

  // Pixel of quadrant q's copy of walk point p.
  std::int64_t Column(WalkPoint p, int quadrant) const {
    return left + (kQuadrantSignX[quadrant] * p.x + SemiX()) / 2;
  }
  std::int64_t Row(WalkPoint p, int quadrant) const { return top + (SemiY() - kQuadrantSignY[quadrant] * p.y) / 2; }
};

// The walk points some copy of which can fall inside the picture: a range
// of x and one of y, each the span of what the mirror images need.
struct Window {
  std::int64_t xLow = 0, xHigh = -1, yLow = 0, yHigh = -1;

  bool Empty() const { return xLow > xHigh || yLow > yHigh; }
  bool Reached(WalkPoint p) const { return p.x <= xHigh && p.y >= yLow; }
  bool Left(WalkPoint p) const { return p.x < xLow || p.y > yHigh; }
};

// Union span of two ranges clamped to [0, limit].
void Span(std::int64_t& low, std::int64_t& high, std::int64_t aLow, std::int64_t aHigh, std::int64_t bLow,
          std::int64_t bHigh, std::int64_t limit) {
  aLow = std::max<std::int64_t>(aLow, 0), aHigh = std::min(aHigh, limit);
  bLow = std::max<std::int64_t>(bLow, 0), bHigh = std::min(bHigh, limit);
  const bool aEmpty = aLow > aHigh, bEmpty = bLow > bHigh;
  if (aEmpty && bEmpty) return;
  low = aEmpty ? bLow : bEmpty ? aLow : std::min(aLow, bLow);
  high = aEmpty ? bHigh : bEmpty ? aHigh : std::max(aHigh, bHigh);
}

template <class Grid>
Window VisibleWindow(const Shape& shape, const Grid& grid) {
  const std::int64_t a = shape.SemiX(), b = shape.SemiY();
  const std::int64_t lastColumn = grid.Width() - 1, lastRow = grid.Height() - 1;
  Window window;
  // Right half: column left + (x + A) / 2; left half: left + (A − x) / 2.
  Span(window.xLow, window.xHigh, -2 * shape.left - a, 2 * (lastColumn - shape.left) - a,
       a + 2 * shape.left - 2 * lastColumn, a + 2 * shape.left, a);
  // Upper half: row top + (B − y) / 2; lower half: top + (B + y) / 2.
  Span(window.yLow, window.yHigh, b + 2 * shape.top - 2 * lastRow, b + 2 * shape.top, -2 * shape.top - b,
       2 * (lastRow - shape.top) - b, b);
  return window;
}

// Calls visit(point) for each walk point inside the window, in walk order.
template <class Int, class Visit>
void WalkWindow(const QuadrantWalk<Int>& walk, const WalkLocator<Int>& locator, const Window& window, Visit visit) {
  QuadrantWalk<Int> cursor = walk;
  if (!locator.FindFirst([&](WalkPoint p) { return window.Reached(p); }, cursor).found) return;
  for (;;) {
    const WalkPoint p = cursor.Point();
    if (window.Left(p)) return;
    visit(p);
    const WalkMove move = cursor.NextMove();
    if (move == WalkMove::End) return;
    cursor.Step(move);
  }
}

template <class Int, class Grid>
void TraceOutline(const Grid& grid, const Shape& shape, const Window& window) {
  const QuadrantWalk<Int> walk(shape.SemiX(), shape.SemiY());
  const WalkLocator<Int> locator(walk);
  if (shape.Inside(grid)) {
    WalkWindow(walk, locator, window, [&](WalkPoint p) {
      const auto right = static_cast<std::int32_t>(shape.Column(p, 0)), left = static_cast<std::int32_t>(shape.Column(p, 1));
      const auto upper = static_cast<std::int32_t>(shape.Row(p, 0)), lower = static_cast<std::int32_t>(shape.Row(p, 2));
      grid.PlotInside(right, upper);
      grid.PlotInside(left, upper);
      grid.PlotInside(left, lower);
      grid.PlotInside(right, lower);
    });
    return;
  }
  WalkWindow(walk, locator, window, [&](WalkPoint p) {
    for (int quadrant = 0; quadrant < 4; ++quadrant) grid.Plot(shape.Column(p, quadrant), shape.Row(p, quadrant));
  });
}

template <class Int, class Grid>
void TraceArc(const Grid& grid, const Shape& shape, const Window& window, Direction start, Direction end) {
  const QuadrantWalk<Int> walk(shape.SemiX(), shape.SemiY());
  const WalkLocator<Int> locator(walk);
  const ArcSelection<Int> arc(walk, locator, start, end);
  if (arc.DrawsNothing()) return;
  WalkWindow(walk, locator, window, [&](WalkPoint p) {
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
      if (arc.Exists(quadrant, p) && arc.Draws(quadrant, p)) {
        grid.Plot(shape.Column(p, quadrant), shape.Row(p, quadrant));
      }
    }
  });
}

template <class Grid>
void FillBox(const Grid& grid, const Shape& shape) {
  const std::int64_t x0 = std::max<std::int64_t>(shape.left, 0);
  const std::int64_t x1 = std::min<std::int64_t>(shape.right, grid.Width());
  const std::int64_t y0 = std::max<std::int64_t>(shape.top, 0);
  const std::int64_t y1 = std::min<std::int64_t>(shape.bottom, grid.Height());
  for (std::int64_t y = y0; y < y1; ++y) {
    for (std::int64_t x = x0; x < x1; ++x) grid.PlotInside(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
  }
}

template <class Grid>
void Outline(const Grid& grid, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const Shape shape(left, top, right, bottom);
  if (shape.Width() <= 0 || shape.Height() <= 0) return;
  if (shape.Width() == 1 && shape.Height() == 1) return;
  // So thin that the outline covers the box.
  if (shape.Width() <= 2 || shape.Height() <= 2) {
    FillBox(grid, shape);
    return;
  }
  const Window window = VisibleWindow(shape, grid);
  if (window.Empty()) return;
  if (shape.Small()) {
    TraceOutline<std::int64_t>(grid, shape, window);
  } else {
    TraceOutline<WideInt>(grid, shape, window);
  }
}

template <class Grid>
void ArcOf(const Grid& grid, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
           std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) {
  const Shape shape(left, top, right, bottom);
  if (shape.Width() <= 0 || shape.Height() <= 0) return;
  const Window window = VisibleWindow(shape, grid);
  if (window.Empty()) return;
  // The rays start at the box centre rounded down to a whole pixel.
  const std::int64_t centreX = (shape.left + shape.right) >> 1;
  const std::int64_t centreY = (shape.top + shape.bottom) >> 1;
  const Direction start = RayDirection(startX - centreX, centreY - startY);
  const Direction end = RayDirection(endX - centreX, centreY - endY);
  if (shape.Small()) {
    TraceArc<std::int64_t>(grid, shape, window, start, end);
  } else {
    TraceArc<WideInt>(grid, shape, window, start, end);
  }
}

// The pixels of a dashed ellipse: each stands for the stretch of the
// outline at its angle about the centre, the pattern starting at the angle
// of start and running counter-clockwise as the picture is seen.
class DashedGrid {
 public:
  DashedGrid(const PixelGrid& grid, const DashPattern& pattern, const Shape& shape, double startAngle)
      : grid_(grid), pattern_(pattern), centreX_(static_cast<double>(shape.left + shape.right - 1) / 2),
        centreY_(static_cast<double>(shape.top + shape.bottom - 1) / 2),
        radius_(static_cast<double>(shape.SemiX() + shape.SemiY()) / 4), startAngle_(startAngle) {}

  std::int32_t Width() const { return grid_.Width(); }
  std::int32_t Height() const { return grid_.Height(); }
  void Plot(std::int64_t x, std::int64_t y) const {
    if (grid_.Contains(x, y)) PlotInside(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
  }
  void PlotInside(std::int32_t x, std::int32_t y) const {
    double angle = std::atan2(centreY_ - y, x - centreX_) - startAngle_;
    if (angle < 0) angle += 2 * kPi;
    if (pattern_.InkedWithin(angle * radius_, 1.0)) grid_.PlotInside(x, y);
  }

  // The angle of the ray from the box's centre through (x, y).
  static double AngleOf(const Shape& shape, std::int32_t x, std::int32_t y) {
    return std::atan2(static_cast<double>(shape.top + shape.bottom - 1) / 2 - y,
                      x - static_cast<double>(shape.left + shape.right - 1) / 2);
  }

 private:
  static constexpr double kPi = 3.14159265358979323846;
  const PixelGrid& grid_;
  const DashPattern& pattern_;
  double centreX_;
  double centreY_;
  double radius_;
  double startAngle_;
};

}  // namespace

void DrawEllipseOutline(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom) {
  Outline(grid, left, top, right, bottom);
}

void DrawEllipseArc(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom, std::int32_t startX, std::int32_t startY, std::int32_t endX,
                    std::int32_t endY) {
  ArcOf(grid, left, top, right, bottom, startX, startY, endX, endY);
}

void DrawDashedEllipseOutline(const PixelGrid& grid, const DashPattern& pattern, std::int32_t left, std::int32_t top,
                              std::int32_t right, std::int32_t bottom) {
  const Shape shape(left, top, right, bottom);
  Outline(DashedGrid(grid, pattern, shape, 0.0), left, top, right, bottom);
}

void DrawDashedEllipseArc(const PixelGrid& grid, const DashPattern& pattern, std::int32_t left, std::int32_t top,
                          std::int32_t right, std::int32_t bottom, std::int32_t startX, std::int32_t startY,
                          std::int32_t endX, std::int32_t endY) {
  const Shape shape(left, top, right, bottom);
  const DashedGrid dashed(grid, pattern, shape, DashedGrid::AngleOf(shape, startX, startY));
  ArcOf(dashed, left, top, right, bottom, startX, startY, endX, endY);
}

}  // namespace karvex
