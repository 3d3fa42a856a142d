#pragma once
// Lines of pen width 1 as the platform draws them with LineTo.
#include <cstdint>

#include "render/dash_pattern.h"
#include "render/pixel_grid.h"

namespace karvex {

// The line from (x0, y0) towards (x1, y1), the end pixel left out. One pixel
// per step along the major axis; the minor coordinate is the exact one
// rounded to nearest, an exact half going to the smaller coordinate, in
// every octant and whichever way the line runs. Only the part inside the
// picture is visited, whatever the coordinates.
void DrawLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

// The same pixels, those left out that fall in the pattern's gaps. Each
// pixel stands for an equal share of the line's length; phase is how far
// along the pattern the line starts.
void DrawDashedLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                    const DashPattern& pattern, double phase);

}  // namespace karvex
