#pragma once
// SPLINE: a B-spline by its degree, knots, control points and weights, or,
// without control points, a smooth curve through its fit points; drawn as
// a polyline fine enough at the picture's scale.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/drawing_point.h"
#include "render/entity_input.h"
#include "render/placement.h"

namespace karvex {

class EntityDrawer;

struct SplineRecord {
  std::int32_t flags = 0;   // 70: bit 1 closed
  std::int32_t degree = 3;  // 71
  std::vector<long double> knots;          // 40, in order
  std::vector<long double> weights;        // 41, in order
  std::vector<DrawingPoint> controlPoints; // 10/20
  std::vector<DrawingPoint> fitPoints;     // 11/21
  bool hasStartTangent = false, hasEndTangent = false;
  DrawingPoint startTangent{0, 0};         // 12/22
  DrawingPoint endTangent{0, 0};           // 13/23
  // More knots, weights or points than a spline is given room for: the
  // spline is read past and drawn not at all.
  bool tooLarge = false;

  // Room for each list: far more than any drawing's spline holds, little
  // enough that a hostile one cannot take the memory.
  static constexpr std::size_t kMostValues = std::size_t{1} << 18;
};

template <class In>
SplineRecord ReadSpline(In& in);

// A spline whose values make no curve (inconsistent knots, a degree out of
// range, a weight that is not positive, too few points) draws nothing.
template <class In>
void DrawSpline(EntityDrawer& walk, const Placement& placement);

}  // namespace karvex
