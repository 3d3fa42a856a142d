#pragma once
// Lines, ellipse outlines and arcs of pen width 1 drawn smooth: the same
// figures as line_raster and ellipse_raster draw (the same end points, the
// same boxes, the same rays), each point of the figure shared between the
// two pixels across it by how near it lies to each. Only what can reach the
// picture is visited, whatever the coordinates.
#include <cstdint>

#include "render/pixel_grid.h"

namespace karvex {

// The line from (x0, y0) towards (x1, y1), the end pixel left out.
void DrawSmoothLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

// The outline of the ellipse in the box; right and bottom edges exclusive,
// corners in any order. Boxes 2 pixels wide or high or less are filled, a
// box of one pixel or of no width or height draws nothing.
void DrawSmoothEllipseOutline(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                              std::int32_t bottom);

// The part of that outline from the ray through the start point
// counter-clockwise (as the picture is seen) to the ray through the end
// point.
void DrawSmoothEllipseArc(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                          std::int32_t bottom, std::int32_t startX, std::int32_t startY, std::int32_t endX,
                          std::int32_t endY);

}  // namespace karvex
