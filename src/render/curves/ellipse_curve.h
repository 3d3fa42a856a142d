#pragma once
// An ellipse, or an arc of one, as a polyline. The curve is given by its
// centre and two conjugate semi-axes u and v: the point of parameter t is
// centre + cos t · u + sin t · v. A DXF ELLIPSE gives u as the end of its
// major axis and v as u turned a quarter turn and shortened by the ratio;
// whatever turns, scales or mirrors a drawing maps u and v as it maps any
// offset, and the curve keeps this form (a circle scaled unevenly too).
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "render/drawing_point.h"

namespace karvex {

constexpr long double kFullTurnRadians = 6.283185307179586476925286766559005768L;

struct EllipseCurve {
  DrawingPoint centre{0, 0};
  DrawingPoint u{1, 0};
  DrawingPoint v{0, 1};
  // Radians; the arc runs counter-clockwise (from u towards v) from start
  // to end.
  long double startParameter = 0;
  long double endParameter = kFullTurnRadians;

  // The most segments one curve is cut into, however fine the tolerance.
  static constexpr std::size_t kMostSegments = 16384;

  // A DXF ELLIPSE: major axis end relative to the centre, the minor axis
  // ratio, the parameters in radians. The minor axis lies a quarter turn
  // counter-clockwise from the major one, clockwise when the ellipse's
  // extrusion points down. Nothing for values no ellipse has: a ratio that
  // is not positive, a major axis of length 0, anything not finite.
  static std::optional<EllipseCurve> FromMajorAxis(long double centreX, long double centreY, long double majorX,
                                                   long double majorY, long double ratio, long double startParameter,
                                                   long double endParameter, bool clockwise = false);

  // Every value finite.
  bool IsFinite() const;
  // The parameters' span in (0, 2π]: start and end a whole number of turns
  // apart (within the precision they were read with) is the whole ellipse.
  long double Sweep() const;
  DrawingPoint At(long double parameter) const;

  // How many segments keep every chord within tolerance of the curve: a
  // multiple of four, so that the points at each quarter of the sweep are
  // always among the points Flatten gives (QuarterPoints).
  std::size_t SegmentsFor(long double tolerance) const;
  // From the start point to the end point, SegmentsFor(tolerance) + 1
  // points at even steps of the parameter.
  std::vector<DrawingPoint> Flatten(long double tolerance) const;
  // The start point, the points at each quarter of the sweep and the end
  // point: points every flattening passes through.
  std::array<DrawingPoint, 5> QuarterPoints() const;
};

}  // namespace karvex
