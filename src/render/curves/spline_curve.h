#pragma once
// A B-spline, rational or not, as a polyline: de Boor's evaluation over the
// knots' domain, each knot span cut into even pieces and each piece halved
// until no chord strays farther than the tolerance from the curve. The
// points are in whatever units the control points are in; an affine map of
// the control points (a turn, a scale, a mirror) maps the curve alike.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "render/drawing_point.h"

namespace karvex {

struct SplineCurve {
  std::int32_t degree = 3;
  // Non-decreasing, one more than the control points and the degree
  // together; empty: clamped and evenly spaced.
  std::vector<long double> knots;
  std::vector<DrawingPoint> controlPoints;
  // One per control point, all positive; empty: all 1 (not rational).
  std::vector<long double> weights;

  static constexpr std::int32_t kHighestDegree = 15;
  // Each knot span is first cut into this many even pieces, whose ends the
  // curve always passes through (Skeleton).
  static constexpr std::size_t kPiecesPerSpan = 4;
  // The most points one flattening gives beyond its pieces' ends, however
  // fine the tolerance.
  static constexpr std::size_t kMostPoints = std::size_t{1} << 16;

  // Whether the values make a curve: a degree in 1..kHighestDegree, more
  // control points than the degree, knots that fit them (count, order, a
  // domain that is not empty), positive weights, everything finite. Empty
  // knots are made clamped and even first (see WithKnots).
  bool IsDrawable() const;
  // The same curve with its knots made when it has none: clamped (the
  // curve starts and ends on its end control points) and evenly spaced.
  SplineCurve WithKnots() const;

  // The point of parameter u, which is held to the domain. Needs
  // IsDrawable().
  DrawingPoint At(long double u) const;
  // The points the curve passes through that every flattening gives: the
  // ends of the even pieces of each knot span. Needs IsDrawable().
  std::vector<DrawingPoint> Skeleton() const;
  // From the start of the domain to its end. Needs IsDrawable().
  std::vector<DrawingPoint> Flatten(long double tolerance) const;

 private:
  // The parameters of Skeleton's points.
  std::vector<long double> SkeletonParameters() const;
};

// A smooth curve through the points (a spline's fit points): one cubic
// piece between each two neighbours, the pieces meeting with a common
// tangent, as a spline of degree 3. Each point's tangent runs along the
// mean of the directions to its neighbours; at an open curve's ends the
// given tangent (a direction of any length; null: none given), else the
// one that bends the end piece least. Points that repeat the one before
// are left out; closed: back to the first point. Fewer than two distinct
// points give a spline with no control points, which is not drawable.
SplineCurve CurveThroughPoints(std::span<const DrawingPoint> points, bool closed,
                               const DrawingPoint* startTangent = nullptr, const DrawingPoint* endTangent = nullptr);

}  // namespace karvex
