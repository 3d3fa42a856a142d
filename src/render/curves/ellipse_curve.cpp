#include "render/curves/ellipse_curve.h"

#include <algorithm>
#include <cmath>

#include "base/x87_math.h"

namespace karvex {
namespace {

bool Finite(const DrawingPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The start parameter in [0, 2π).
long double TurnStart(long double parameter) {
  long double start = std::fmod(parameter, kFullTurnRadians);
  if (start < 0) start += kFullTurnRadians;
  return start;
}

// The most the curve's image of the unit circle stretches a length: the
// larger singular value of the matrix whose columns are u and v.
long double LargestStretch(const DrawingPoint& u, const DrawingPoint& v) {
  const long double uu = u.x * u.x + u.y * u.y;
  const long double vv = v.x * v.x + v.y * v.y;
  const long double uv = u.x * v.x + u.y * v.y;
  const long double half = (uu - vv) / 2;
  return std::sqrt((uu + vv) / 2 + std::sqrt(half * half + uv * uv));
}

}  // namespace

std::optional<EllipseCurve> EllipseCurve::FromMajorAxis(long double centreX, long double centreY, long double majorX,
                                                        long double majorY, long double ratio,
                                                        long double startParameter, long double endParameter,
                                                        bool clockwise) {
  if (!(ratio > 0) || !std::isfinite(ratio)) return std::nullopt;
  if (majorX == 0 && majorY == 0) return std::nullopt;
  const long double turn = clockwise ? -1 : 1;
  EllipseCurve curve{{centreX, centreY},
                     {majorX, majorY},
                     {-majorY * ratio * turn, majorX * ratio * turn},
                     startParameter,
                     endParameter};
  if (!curve.IsFinite()) return std::nullopt;
  return curve;
}

bool EllipseCurve::IsFinite() const {
  return Finite(centre) && Finite(u) && Finite(v) && std::isfinite(startParameter) && std::isfinite(endParameter);
}

long double EllipseCurve::Sweep() const {
  long double sweep = TurnStart(endParameter) - TurnStart(startParameter);
  if (sweep < 0) sweep += kFullTurnRadians;
  // A parameter read as a 32-bit float is off by up to half its last unit,
  // so 0 and 2π read from the text may differ by a few such units.
  const long double slack =
      4e-7L * std::max({1.0L, std::fabs(startParameter), std::fabs(endParameter)});
  if (sweep <= slack || sweep >= kFullTurnRadians - slack) return kFullTurnRadians;
  return sweep;
}

DrawingPoint EllipseCurve::At(long double parameter) const {
  long double sine, cosine;
  SinCos(parameter, sine, cosine);
  return {centre.x + cosine * u.x + sine * v.x, centre.y + cosine * u.y + sine * v.y};
}

// A chord over a parameter step d of the unit circle strays at most
// 1 − cos(d / 2) from its arc; the ellipse is that circle stretched by at
// most LargestStretch, which stretches the distance no more.
std::size_t EllipseCurve::SegmentsFor(long double tolerance) const {
  const long double stretch = LargestStretch(u, v);
  long double segments = static_cast<long double>(kMostSegments);
  if (tolerance > 0 && std::isfinite(stretch)) {
    const long double cosine = std::clamp(1 - tolerance / stretch, 0.0L, 1.0L);
    const long double step = 2 * std::acos(cosine);
    if (step > 0) segments = std::min(segments, std::ceil(Sweep() / step));
  }
  const auto quarters = static_cast<std::size_t>(std::max(1.0L, std::ceil(segments / 4)));
  return std::min(quarters * 4, kMostSegments);
}

std::vector<DrawingPoint> EllipseCurve::Flatten(long double tolerance) const {
  const std::size_t segments = SegmentsFor(tolerance);
  const long double start = TurnStart(startParameter);
  const long double sweep = Sweep();
  std::vector<DrawingPoint> points;
  points.reserve(segments + 1);
  for (std::size_t i = 0; i <= segments; ++i) {
    points.push_back(At(start + sweep * static_cast<long double>(i) / static_cast<long double>(segments)));
  }
  return points;
}

std::array<DrawingPoint, 5> EllipseCurve::QuarterPoints() const {
  const long double start = TurnStart(startParameter);
  const long double sweep = Sweep();
  std::array<DrawingPoint, 5> points;
  for (std::size_t i = 0; i < points.size(); ++i) points[i] = At(start + sweep * static_cast<long double>(i) / 4);
  return points;
}

}  // namespace karvex
