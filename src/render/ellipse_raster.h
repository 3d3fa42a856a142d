#pragma once
// Ellipse outlines and arcs of pen width 1 as the platform draws them with
// Ellipse (hollow brush) and Arc.
#include <cstdint>

#include "render/dash_pattern.h"
#include "render/pixel_grid.h"

namespace karvex {

// The outline of the ellipse in the box; right and bottom edges exclusive,
// corners in any order. Boxes 2 pixels wide or high or less are filled, a
// box of one pixel or of no width or height draws nothing.
void DrawEllipseOutline(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                        std::int32_t bottom);

// The part of that outline from the ray through the start point
// counter-clockwise (as the picture is seen) to the ray through the end
// point; rays from the box centre rounded down to whole pixels.
void DrawEllipseArc(const PixelGrid& grid, std::int32_t left, std::int32_t top, std::int32_t right,
                    std::int32_t bottom, std::int32_t startX, std::int32_t startY, std::int32_t endX,
                    std::int32_t endY);

// The same pixels, those left out that fall in the pattern's gaps: each
// pixel stands for the stretch of the outline at its angle about the centre,
// measured along the mean radius; the pattern starts at the rightmost point
// of the outline and at the start ray of the arc, counter-clockwise as the
// picture is seen.
void DrawDashedEllipseOutline(const PixelGrid& grid, const DashPattern& pattern, std::int32_t left, std::int32_t top,
                              std::int32_t right, std::int32_t bottom);
void DrawDashedEllipseArc(const PixelGrid& grid, const DashPattern& pattern, std::int32_t left, std::int32_t top,
                          std::int32_t right, std::int32_t bottom, std::int32_t startX, std::int32_t startY,
                          std::int32_t endX, std::int32_t endY);

}  // namespace karvex
