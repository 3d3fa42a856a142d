#pragma once
// Circles, arcs and texts of a block placed with its INSERT's scale, turn
// and mirroring (AffinePlacement). A circle stays a circle where the
// placement is similar; under unequal scale factors it becomes an ellipse,
// drawn as a polyline. A mirror turns an arc's direction round.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dxf/number_conversion.h"
#include "render/affine_placement.h"
#include "render/drawing_point.h"

namespace karvex {

// Segments per full turn of a flattened curve: a chord of 1/256 of a turn
// strays 1/13,000 of the radius from the circle, half a pixel on a curve
// 6,500 pixels across. The count depends on the curve alone, so that the
// measuring walk places exactly the points the drawing walk draws.
inline constexpr std::size_t kSegmentsPerTurn = 256;

inline std::size_t SegmentsFor(long double sweepRadians) {
  constexpr long double kTurn = 6.283185307179586476925286766559005768L;
  const long double share = std::fabs(sweepRadians) / kTurn;
  if (!(share < 1)) return kSegmentsPerTurn;
  const auto count = static_cast<std::size_t>(std::ceil(share * kSegmentsPerTurn));
  return count < 1 ? 1 : count;
}

// The placed circle of radius r about (x, y) from startRadians on through
// sweepRadians (counter-clockwise in the block), as lines.
template <class Sink>
void DrawPlacedArcLines(Sink& figures, const AffinePlacement& placement, long double x, long double y,
                        long double radius, long double startRadians, long double sweepRadians) {
  const std::size_t segments = SegmentsFor(sweepRadians);
  for (std::size_t i = 0; i <= segments; ++i) {
    const long double angle = startRadians + sweepRadians * static_cast<long double>(i) / segments;
    const DrawingPoint point = placement.Place(x + radius * std::cos(angle), y + radius * std::sin(angle));
    if (i == 0) {
      figures.MoveTo(point);
    } else {
      figures.LineTo(point);
    }
  }
}

template <class Sink>
void DrawPlacedCircle(Sink& figures, const AffinePlacement& placement, float x, float y, float radius) {
  if (placement.Similar()) {
    figures.Circle(placement.Point(x, y), StoreAsFloat(radius * placement.LengthFactor()));
    return;
  }
  constexpr long double kTurn = 6.283185307179586476925286766559005768L;
  DrawPlacedArcLines(figures, placement, x, y, radius, 0, kTurn);
}

template <class Sink>
void DrawPlacedArc(Sink& figures, const AffinePlacement& placement, float x, float y, float radius,
                   float startDegrees, float endDegrees) {
  if (placement.Similar()) {
    const float placedRadius = StoreAsFloat(radius * placement.LengthFactor());
    const DrawingPoint centre = placement.Point(x, y);
    const OffsetPoint start = placement.RadialPoint(x, y, radius, startDegrees);
    const OffsetPoint end = placement.RadialPoint(x, y, radius, endDegrees);
    // Mirrored, the arc runs clockwise from start to end: counter-clockwise
    // from end to start.
    if (placement.Mirrored()) {
      figures.Arc(centre, placedRadius, end, start);
    } else {
      figures.Arc(centre, placedRadius, start, end);
    }
    return;
  }
  constexpr long double kDegree = 0.017453292519943295769236907684886127L;
  long double sweep = static_cast<long double>(endDegrees) - startDegrees;
  sweep = std::fmod(sweep, 360.0L);
  if (!(sweep > 0)) sweep += 360.0L;
  DrawPlacedArcLines(figures, placement, x, y, radius, startDegrees * kDegree, sweep * kDegree);
}

}  // namespace karvex
