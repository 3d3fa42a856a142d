#pragma once
// Fills the inside of polygon rings on the picture's pixels, even-odd, by
// rows: the rows the rings cover, clipped to the picture, each crossed by
// the edges that span it, up to a bound on the crossings of one fill.
#include <cstddef>
#include <cstdint>
#include <span>

#include "render/canvas.h"
#include "render/pixel_grid.h"

namespace karvex {

// grid: the picture of width x height pixels in the fill's colour.
void FillEvenOdd(const PixelGrid& grid, std::int32_t width, std::int32_t height, std::span<const PolygonPoint> points,
                 std::span<const std::int32_t> ringSizes);

// The number of points the rings take, or -1 when a size is negative or
// they take more than there are.
std::int64_t RingPoints(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes);

// Each ring's outline, closed, drawn by pen (anything with MoveTo and
// LineTo); rings that take more points than there are draw nothing.
template <class Pen>
void OutlineRings(Pen& pen, std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) {
  if (RingPoints(points, ringSizes) < 0) return;
  std::size_t first = 0;
  for (std::int32_t size : ringSizes) {
    const auto count = static_cast<std::size_t>(size);
    if (count > 0) {
      pen.MoveTo(points[first].x, points[first].y);
      for (std::size_t i = 1; i < count; ++i) pen.LineTo(points[first + i].x, points[first + i].y);
      pen.LineTo(points[first].x, points[first].y);
    }
    first += count;
  }
}

}  // namespace karvex
