#include "render/smooth_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/ellipse_geometry.h"
#include "render/line_axes.h"

namespace karvex {
namespace {

// Whole numbers from low to high (real bounds), cut to [first, last]; false
// when none is left. Bounds are cut before they become integers, so any
// real will do.
bool CutRange(double low, double high, std::int64_t& first, std::int64_t& last) {
  low = std::max(std::ceil(low), static_cast<double>(first));
  high = std::min(std::floor(high), static_cast<double>(last));
  if (!(low <= high)) return false;
  first = static_cast<std::int64_t>(low);
  last = static_cast<std::int64_t>(high);
  return true;
}

// One point of a figure, shared between the two pixels of its column (its
// row) that it lies between.
void BlendAcrossRows(const PixelGrid& grid, std::int64_t column, double row) {
  const double lower = std::floor(row);
  const auto first = static_cast<std::int64_t>(lower);
  grid.BlendBetween(column, first, column, first + 1, row - lower);
}

void BlendAcrossColumns(const PixelGrid& grid, double column, std::int64_t row) {
  const double lower = std::floor(column);
  const auto first = static_cast<std::int64_t>(lower);
  grid.BlendBetween(first, row, first + 1, row, column - lower);
}

// The outline, or the part of it the sweep covers. Where the outline runs
// more across than up it is sampled once a column above the centre and once
// below, elsewhere once a row left of it and once right, so that every
// point shares one whole pixel's ink.
void TraceOutline(const PixelGrid& grid, const EllipseGeometry& e, const ArcSweep& sweep) {
  const double a = e.semiX, b = e.semiY;
  const double diagonal = std::hypot(a, b);
  if (diagonal == 0) return;
  // Where the outline's slope is one.
  const double xTurn = a * a / diagonal;
  const double yTurn = b * b / diagonal;

  std::int64_t first = 0, last = grid.Width() - 1;
  if (CutRange(e.centreX - xTurn, e.centreX + xTurn, first, last)) {
    for (std::int64_t column = first; column <= last; ++column) {
      const double dx = static_cast<double>(column) - e.centreX;
      const double ratio = a > 0 ? dx / a : 0;
      const double up = b * std::sqrt(std::max(0.0, 1 - ratio * ratio));
      for (const double side : {1.0, -1.0}) {
        if (side < 0 && up == 0) break;
        if (!sweep.whole && !sweep.Covers(std::atan2(side * up, dx))) continue;
        BlendAcrossRows(grid, column, e.centreY - side * up);
      }
    }
  }
  // Rows strictly inside the turn: the ones on it were sampled by column.
  first = 0, last = grid.Height() - 1;
  const double above = std::floor(e.centreY - yTurn) + 1;
  const double below = std::ceil(e.centreY + yTurn) - 1;
  if (CutRange(above, below, first, last)) {
    for (std::int64_t row = first; row <= last; ++row) {
      const double dy = e.centreY - static_cast<double>(row);
      const double ratio = b > 0 ? dy / b : 0;
      const double across = a * std::sqrt(std::max(0.0, 1 - ratio * ratio));
      for (const double side : {1.0, -1.0}) {
        if (side < 0 && across == 0) break;
        if (!sweep.whole && !sweep.Covers(std::atan2(dy, side * across))) continue;
        BlendAcrossColumns(grid, e.centreX + side * across, row);
      }
    }
  }
}

}  // namespace

void DrawSmoothLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  const LineAxes line = LineAxes::Of(x0, y0, x1, y1, grid.Width(), grid.Height());
  std::int64_t first = 0;
  std::int64_t last = 0;
  if (!line.MajorStepsInside(first, last)) return;
  // Of those steps, the ones whose minor position lies within a pixel of the
  // picture: it moves one way only.
  const double slope = static_cast<double>(line.minorDelta) / static_cast<double>(line.length);
  const auto minorStart = static_cast<double>(line.minorStart);
  if (line.minorDelta != 0) {
    double low = (-1.0 - minorStart) / slope;
    double high = (static_cast<double>(line.minorLimit) - minorStart) / slope;
    if (low > high) std::swap(low, high);
    if (!CutRange(low - 1, high + 1, first, last)) return;
  } else if (line.minorStart < -1 || line.minorStart > line.minorLimit) {
    return;
  }

  for (std::int64_t step = first; step <= last; ++step) {
    const std::int64_t major = line.majorStart + line.majorSign * step;
    const double minor = minorStart + static_cast<double>(line.minorDelta) * static_cast<double>(step) /
                                          static_cast<double>(line.length);
    if (line.xMajor) {
      BlendAcrossRows(grid, major, minor);
    } else {
      BlendAcrossColumns(grid, minor, major);
    }
  }
}

void DrawSmoothEllipseOutline(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom) {
  const EllipseGeometry ellipse = EllipseGeometry::OfBox(left, top, right, bottom);
  if (ellipse.DrawsNothing()) return;
  if (ellipse.Filled()) {
    // So thin that the outline covers the box.
    const std::int64_t x0 = std::max<std::int64_t>(ellipse.left, 0);
    const std::int64_t x1 = std::min<std::int64_t>(ellipse.right, grid.Width());
    const std::int64_t y0 = std::max<std::int64_t>(ellipse.top, 0);
    const std::int64_t y1 = std::min<std::int64_t>(ellipse.bottom, grid.Height());
    for (std::int64_t y = y0; y < y1; ++y) {
      for (std::int64_t x = x0; x < x1; ++x) grid.Blend(x, y, kFullCoverage);
    }
    return;
  }
  ArcSweep whole;
  whole.whole = true;
  TraceOutline(grid, ellipse, whole);
}

void DrawSmoothEllipseArc(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom, std::int32_t startX, std::int32_t startY, std::int32_t endX,
                          std::int32_t endY) {
  const EllipseGeometry ellipse = EllipseGeometry::OfBox(left, top, right, bottom);
  if (ellipse.Width() <= 0 || ellipse.Height() <= 0) return;
  TraceOutline(grid, ellipse, SweepOf(ellipse, startX, startY, endX, endY));
}

}  // namespace karvex
