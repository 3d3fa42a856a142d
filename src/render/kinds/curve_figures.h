#pragma once
// What the curve kinds share: their defining points carried through the
// placement (so that a block's turn, and whatever else a placement does,
// acts on the curve as a whole), the span that chooses their tolerance, and
// the polyline drawn through their points.
#include <span>

#include "render/drawing_point.h"
#include "render/figure_sink.h"
#include "render/placement.h"

namespace karvex {

// The direction placement gives the offset `direction` from `from`: the
// difference of two placed points, the second taken far along the offset
// so that the points' rounding to 32-bit coordinates does not bend it.
DrawingPoint PlacedDirection(const Placement& placement, const DrawingPoint& from, const DrawingPoint& direction);

// The wider side of the box around the points.
long double Span(std::span<const DrawingPoint> points);

// A move to the first point and a line to each later one.
void DrawThrough(FigureSink& figures, std::span<const DrawingPoint> points);

}  // namespace karvex
