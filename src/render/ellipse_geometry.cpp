#include "render/ellipse_geometry.h"

#include <algorithm>
#include <cmath>

#include "render/arc_angles.h"

namespace karvex {
namespace {

constexpr double kFullTurn = 6.283185307179586476925286766559;
// How far short of its end ray an arc stops, in pixels along the outline: the
// distance that best matches the platform's arcs of every size.
constexpr double kStopShort = 1.5;

}  // namespace

EllipseGeometry EllipseGeometry::OfBox(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  EllipseGeometry e;
  e.left = std::min(x0, x1);
  e.top = std::min(y0, y1);
  e.right = std::max(x0, x1);
  e.bottom = std::max(y0, y1);
  e.centreX = static_cast<double>(e.left + e.right - 1) / 2;
  e.centreY = static_cast<double>(e.top + e.bottom - 1) / 2;
  e.semiX = std::max<double>(0, static_cast<double>(e.Width() - 1) / 2);
  e.semiY = std::max<double>(0, static_cast<double>(e.Height() - 1) / 2);
  return e;
}

void EllipseGeometry::PointAt(double angle, double& x, double& y) const {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double across = std::hypot(semiY * c, semiX * s);
  const double radius = across > 0 ? semiX * semiY / across : 0;
  x = centreX + radius * c;
  y = centreY - radius * s;
}

double NormalAngle(double angle) {
  angle = std::fmod(angle, kFullTurn);
  if (angle < 0) angle += kFullTurn;
  return angle >= kFullTurn ? 0 : angle;
}

bool ArcSweep::Covers(double angle) const { return whole || NormalAngle(angle - start) <= span; }

ArcSweep SweepOf(const EllipseGeometry& ellipse, std::int32_t startX, std::int32_t startY, std::int32_t endX,
                 std::int32_t endY) {
  const std::int64_t centreX = (ellipse.left + ellipse.right) >> 1;
  const std::int64_t centreY = (ellipse.top + ellipse.bottom) >> 1;
  const Direction start = RayDirection(startX - centreX, centreY - startY);
  const Direction end = RayDirection(endX - centreX, centreY - endY);
  ArcSweep sweep;
  if (CompareDirections(start, end) == 0) {
    sweep.whole = true;
    return sweep;
  }
  auto angleOf = [](const Direction& d) {
    return NormalAngle(std::atan2(static_cast<double>(d.dy), static_cast<double>(d.dx)));
  };
  sweep.start = angleOf(start);
  sweep.span = NormalAngle(angleOf(end) - sweep.start);
  // The platform's pen stops short of the end ray, by about two outline
  // pixels, except at angle 0, where the outline itself ends.
  if (!(end.dy == 0 && end.dx > 0)) {
    double x = 0, y = 0;
    ellipse.PointAt(sweep.start + sweep.span, x, y);
    const double radius = std::hypot(x - ellipse.centreX, y - ellipse.centreY);
    if (radius > 0) sweep.span -= kStopShort / radius;
    if (sweep.span < 0) sweep.span = -1;
  }
  return sweep;
}

}  // namespace karvex
