#pragma once
// Fills the inside of polygon rings on the picture's pixels, even-odd, by
// rows: the rows the rings cover, clipped to the picture, each crossed by
// the edges that span it, up to a bound on the crossings of one fill.
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

}  // namespace karvex
