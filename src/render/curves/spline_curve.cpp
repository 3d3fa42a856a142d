#include "render/curves/spline_curve.h"

#include <algorithm>
#include <cmath>

namespace karvex {
namespace {

bool Finite(const DrawingPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

DrawingPoint Minus(const DrawingPoint& a, const DrawingPoint& b) { return {a.x - b.x, a.y - b.y}; }
DrawingPoint Plus(const DrawingPoint& a, const DrawingPoint& b) { return {a.x + b.x, a.y + b.y}; }
DrawingPoint Times(const DrawingPoint& a, long double k) { return {a.x * k, a.y * k}; }
long double Length(const DrawingPoint& a) { return std::hypot(a.x, a.y); }

// The unit vector along a, or a itself when it has no length.
DrawingPoint Unit(const DrawingPoint& a) {
  const long double length = Length(a);
  return length > 0 ? Times(a, 1 / length) : a;
}

// Whether p lies farther than tolerance from the segment from a to b
// (compared squared: this runs for every point a flattening looks at).
bool FartherThan(long double tolerance, const DrawingPoint& p, const DrawingPoint& a, const DrawingPoint& b) {
  const DrawingPoint ab = Minus(b, a);
  const DrawingPoint ap = Minus(p, a);
  const long double lengthSquared = ab.x * ab.x + ab.y * ab.y;
  long double along = lengthSquared > 0 ? (ap.x * ab.x + ap.y * ab.y) / lengthSquared : 0;
  along = std::clamp(along, 0.0L, 1.0L);
  const DrawingPoint off = Minus(ap, Times(ab, along));
  return off.x * off.x + off.y * off.y > tolerance * tolerance;
}

// Halves a piece of the curve until its chords are within tolerance, or
// until the depth or the room for points runs out.
class Flattener {
 public:
  Flattener(const SplineCurve& curve, long double tolerance, std::vector<DrawingPoint>& points)
      : curve_(curve), tolerance_(tolerance), points_(points) {}

  // Adds the points after a up to and including b; pm is the point halfway
  // between in parameter. The middle alone can sit on the chord of an
  // S-shaped piece, so the quarter points are looked at too; they are the
  // middles of the halves.
  void Piece(long double a, const DrawingPoint& pa, long double b, const DrawingPoint& pb, const DrawingPoint& pm,
             int depth) {
    const long double middle = (a + b) / 2;
    const DrawingPoint q1 = curve_.At((a + middle) / 2);
    const DrawingPoint q3 = curve_.At((middle + b) / 2);
    const bool strays = !(tolerance_ > 0) || FartherThan(tolerance_, pm, pa, pb) ||
                        FartherThan(tolerance_, q1, pa, pb) || FartherThan(tolerance_, q3, pa, pb);
    if (strays && depth < kDeepest && room_ > 0) {
      // Each halving adds one point at least.
      --room_;
      Piece(a, pa, middle, pm, q1, depth + 1);
      Piece(middle, pm, b, pb, q3, depth + 1);
      return;
    }
    points_.push_back(pb);
  }

 private:
  static constexpr int kDeepest = 24;
  const SplineCurve& curve_;
  long double tolerance_;
  std::vector<DrawingPoint>& points_;
  std::size_t room_ = SplineCurve::kMostPoints;
};

}  // namespace

SplineCurve SplineCurve::WithKnots() const {
  SplineCurve made = *this;
  if (!knots.empty() || degree < 1 || degree > kHighestDegree) return made;
  const std::size_t order = static_cast<std::size_t>(degree) + 1;
  const std::size_t count = controlPoints.size();
  if (count < order) return made;
  // order zeros, the inner knots 1 .. count − order, order times the last.
  const auto last = static_cast<long double>(count - order + 1);
  for (std::size_t i = 0; i < count + order; ++i) {
    if (i < order) {
      made.knots.push_back(0);
    } else if (i >= count) {
      made.knots.push_back(last);
    } else {
      made.knots.push_back(static_cast<long double>(i - order + 1));
    }
  }
  return made;
}

bool SplineCurve::IsDrawable() const {
  if (degree < 1 || degree > kHighestDegree) return false;
  const auto p = static_cast<std::size_t>(degree);
  const std::size_t n = controlPoints.size();
  if (n < p + 1 || knots.size() != n + p + 1) return false;
  if (!weights.empty() && weights.size() != n) return false;
  for (std::size_t i = 0; i < knots.size(); ++i) {
    if (!std::isfinite(knots[i])) return false;
    if (i > 0 && knots[i] < knots[i - 1]) return false;
  }
  if (!(knots[p] < knots[n])) return false;
  for (const DrawingPoint& point : controlPoints) {
    if (!Finite(point)) return false;
  }
  for (long double weight : weights) {
    if (!(weight > 0) || !std::isfinite(weight)) return false;
  }
  return true;
}

// De Boor's algorithm in homogeneous coordinates (x·w, y·w, w).
DrawingPoint SplineCurve::At(long double u) const {
  const auto p = static_cast<std::size_t>(degree);
  const std::size_t n = controlPoints.size();
  u = std::clamp(u, knots[p], knots[n]);
  // The span k with knots[k] <= u < knots[k + 1]; at the domain's end, the
  // last span that is not empty.
  const auto upper = std::upper_bound(knots.begin() + static_cast<std::ptrdiff_t>(p),
                                      knots.begin() + static_cast<std::ptrdiff_t>(n), u);
  std::size_t k = static_cast<std::size_t>(upper - knots.begin()) - 1;
  while (k > p && !(knots[k] < knots[k + 1])) --k;

  struct Homogeneous {
    long double x, y, w;
  };
  Homogeneous d[kHighestDegree + 1];
  for (std::size_t j = 0; j <= p; ++j) {
    const std::size_t i = k - p + j;
    const long double w = weights.empty() ? 1 : weights[i];
    d[j] = {controlPoints[i].x * w, controlPoints[i].y * w, w};
  }
  for (std::size_t r = 1; r <= p; ++r) {
    for (std::size_t j = p; j >= r; --j) {
      const std::size_t i = k - p + j;
      const long double span = knots[i + p + 1 - r] - knots[i];
      const long double alpha = span > 0 ? (u - knots[i]) / span : 0;
      d[j] = {(1 - alpha) * d[j - 1].x + alpha * d[j].x, (1 - alpha) * d[j - 1].y + alpha * d[j].y,
              (1 - alpha) * d[j - 1].w + alpha * d[j].w};
    }
  }
  return {d[p].x / d[p].w, d[p].y / d[p].w};
}

std::vector<long double> SplineCurve::SkeletonParameters() const {
  const auto p = static_cast<std::size_t>(degree);
  const std::size_t n = controlPoints.size();
  std::vector<long double> parameters{knots[p]};
  for (std::size_t k = p; k < n; ++k) {
    const long double from = knots[k];
    const long double to = knots[k + 1];
    if (!(from < to)) continue;
    for (std::size_t piece = 1; piece <= kPiecesPerSpan; ++piece) {
      parameters.push_back(piece == kPiecesPerSpan
                               ? to
                               : from + (to - from) * static_cast<long double>(piece) / kPiecesPerSpan);
    }
  }
  return parameters;
}

std::vector<DrawingPoint> SplineCurve::Skeleton() const {
  std::vector<DrawingPoint> points;
  for (long double u : SkeletonParameters()) points.push_back(At(u));
  return points;
}

std::vector<DrawingPoint> SplineCurve::Flatten(long double tolerance) const {
  const std::vector<long double> parameters = SkeletonParameters();
  std::vector<DrawingPoint> points{At(parameters[0])};
  Flattener flattener(*this, tolerance, points);
  for (std::size_t i = 1; i < parameters.size(); ++i) {
    // A copy: the pieces add to points.
    const DrawingPoint from = points.back();
    const long double middle = (parameters[i - 1] + parameters[i]) / 2;
    flattener.Piece(parameters[i - 1], from, parameters[i], At(parameters[i]), At(middle), 0);
  }
  return points;
}

// Each piece is a cubic Bézier curve; as a B-spline its inner knots are
// threefold, so that the pieces join at the points themselves.
SplineCurve CurveThroughPoints(std::span<const DrawingPoint> given, bool closed, const DrawingPoint* startTangent,
                               const DrawingPoint* endTangent) {
  std::vector<DrawingPoint> points;
  for (const DrawingPoint& point : given) {
    if (points.empty() || point.x != points.back().x || point.y != points.back().y) points.push_back(point);
  }
  if (closed && points.size() > 2 && points.back().x == points.front().x && points.back().y == points.front().y) {
    points.pop_back();
  }
  SplineCurve curve;
  curve.degree = 3;
  if (points.size() < 2) return curve;
  const std::size_t count = points.size();
  closed = closed && count > 2;
  const std::size_t pieces = closed ? count : count - 1;
  auto at = [&](std::size_t i) -> const DrawingPoint& { return points[i % count]; };

  // The unit direction of each piece's chord, and each point's tangent.
  std::vector<DrawingPoint> chords(pieces);
  for (std::size_t i = 0; i < pieces; ++i) chords[i] = Unit(Minus(at(i + 1), at(i)));
  std::vector<DrawingPoint> tangents(count);
  for (std::size_t i = 0; i < count; ++i) {
    const bool inner = closed || (i > 0 && i + 1 < count);
    if (inner) tangents[i] = Unit(Plus(chords[(i + pieces - 1) % pieces], chords[i % pieces]));
  }
  if (!closed) {
    // The end piece bends least when its end tangent mirrors the inner
    // tangent about the chord.
    const DrawingPoint& first = chords.front();
    const DrawingPoint& last = chords.back();
    tangents.front() = startTangent != nullptr && Length(*startTangent) > 0
                           ? Unit(*startTangent)
                           : (count > 2 ? Unit(Minus(Times(first, 2), tangents[1])) : first);
    tangents.back() = endTangent != nullptr && Length(*endTangent) > 0
                          ? Unit(*endTangent)
                          : (count > 2 ? Unit(Minus(Times(last, 2), tangents[count - 2])) : last);
  }

  for (std::size_t i = 0; i < pieces; ++i) {
    const DrawingPoint& from = at(i);
    const DrawingPoint& to = at(i + 1);
    const long double third = Length(Minus(to, from)) / 3;
    if (i == 0) curve.controlPoints.push_back(from);
    curve.controlPoints.push_back(Plus(from, Times(tangents[i % count], third)));
    curve.controlPoints.push_back(Minus(to, Times(tangents[(i + 1) % count], third)));
    curve.controlPoints.push_back(to);
  }
  curve.knots.assign(4, 0);
  for (std::size_t i = 1; i < pieces; ++i) curve.knots.insert(curve.knots.end(), 3, static_cast<long double>(i));
  curve.knots.insert(curve.knots.end(), 4, static_cast<long double>(pieces));
  return curve;
}

}  // namespace karvex
