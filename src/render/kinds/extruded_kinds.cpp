#include "render/kinds/extruded_kinds.h"

#include <utility>

namespace karvex {

void Mirror(CircleRecord& circle) { circle.x = -circle.x; }

// Mirrored, the arc from start to end runs clockwise: counter-clockwise it
// runs from the mirrored end to the mirrored start.
void Mirror(ArcRecord& arc) {
  constexpr float kHalfTurn = 180.0f;
  arc.x = -arc.x;
  const float start = kHalfTurn - arc.endAngle;
  arc.endAngle = kHalfTurn - arc.startAngle;
  arc.startAngle = start;
}

void Mirror(SolidRecord& solid) {
  for (float& x : solid.x) x = -x;
}

void TraceCornersInOutlineOrder(SolidRecord& trace) {
  std::swap(trace.x[2], trace.x[3]);
  std::swap(trace.y[2], trace.y[3]);
}

}  // namespace karvex
