#pragma once
// Lines of pen width 1 as the platform draws them with LineTo.
#include <cstdint>

#include "render/pixel_grid.h"

namespace karvex {

// The line from (x0, y0) towards (x1, y1), the end pixel left out. One pixel
// per step along the major axis; the minor coordinate is the exact one
// rounded to nearest, an exact half going to the smaller coordinate, in
// every octant and whichever way the line runs. Only the part inside the
// picture is visited, whatever the coordinates.
void DrawLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

}  // namespace karvex
