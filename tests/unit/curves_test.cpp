// The curve evaluators: every chord of a flattened curve within the
// tolerance of the curve, the ends where the curve's values put them, and
// values no curve has refused rather than drawn.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "render/curves/ellipse_curve.h"
#include "render/curves/spline_curve.h"

namespace karvex {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

long double Distance(const DrawingPoint& a, const DrawingPoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

long double DistanceFromSegment(const DrawingPoint& p, const DrawingPoint& a, const DrawingPoint& b) {
  const long double dx = b.x - a.x;
  const long double dy = b.y - a.y;
  const long double squared = dx * dx + dy * dy;
  long double t = squared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / squared : 0;
  t = std::fmin(std::fmax(t, 0.0L), 1.0L);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The farthest any of the curve's samples between two neighbouring points
// of the polyline lies from their chord. curve(t) for t in [from, to]; the
// polyline's points are taken to sit at the parameters of `at`.
long double WorstStray(const std::vector<DrawingPoint>& points, const std::vector<long double>& at,
                       const std::function<DrawingPoint(long double)>& curve) {
  long double worst = 0;
  for (std::size_t i = 1; i < points.size(); ++i) {
    for (int k = 1; k < 32; ++k) {
      const DrawingPoint p = curve(at[i - 1] + (at[i] - at[i - 1]) * k / 32);
      worst = std::fmax(worst, DistanceFromSegment(p, points[i - 1], points[i]));
    }
  }
  return worst;
}

struct EllipseCase {
  const char* name;
  EllipseCurve curve;
  long double tolerance;
  // A circle's chords stray exactly as far as the count allows for, so
  // half as many must stray too far; a flat ellipse is cut by the circle
  // of its major axis, more finely than it needs.
  bool tight = false;
};

TEST(EllipseCurve, NoChordStraysFartherThanTheTolerance) {
  const std::vector<EllipseCase> cases = {
      {"circle of radius 100, half a unit", {{0, 0}, {100, 0}, {0, 100}, 0, 2 * kPi}, 0.5L, true},
      {"flat ellipse, turned", {{5, -3}, {300, 400}, {-4, 3}, 0, 2 * kPi}, 0.25L},
      {"arc across the zero parameter", {{0, 0}, {50, 0}, {0, 20}, 5.5L, 0.5L}, 0.1L},
      {"axes that are not at right angles", {{0, 0}, {100, 0}, {80, 30}, 1, 4}, 0.5L},
      {"mirrored: v clockwise from u", {{0, 0}, {0, 60}, {60, 0}, 0, kPi}, 0.05L, true},
      {"tolerance above the radius", {{0, 0}, {1, 0}, {0, 1}, 0, 2 * kPi}, 10},
  };
  for (const EllipseCase& c : cases) {
    const std::vector<DrawingPoint> points = c.curve.Flatten(c.tolerance);
    const std::size_t segments = points.size() - 1;
    EXPECT_EQ(segments % 4, 0u) << c.name;
    std::vector<long double> at;
    const long double start = std::fmod(c.curve.startParameter, 2 * kPi);
    for (std::size_t i = 0; i <= segments; ++i) at.push_back(start + c.curve.Sweep() * i / segments);
    EXPECT_LE(WorstStray(points, at, [&](long double t) { return c.curve.At(t); }), c.tolerance) << c.name;
    EXPECT_LT(Distance(points.front(), c.curve.At(c.curve.startParameter)), 1e-9L) << c.name;
    EXPECT_LT(Distance(points.back(), c.curve.At(c.curve.endParameter)), 1e-9L) << c.name;
    // Not needlessly fine (the least is four segments).
    if (c.tight && segments > 4) {
      const EllipseCurve& e = c.curve;
      std::vector<DrawingPoint> coarse;
      std::vector<long double> coarseAt;
      for (std::size_t i = 0; i <= segments / 2; ++i) {
        coarseAt.push_back(start + e.Sweep() * i / (segments / 2));
        coarse.push_back(e.At(coarseAt.back()));
      }
      EXPECT_GT(WorstStray(coarse, coarseAt, [&](long double t) { return e.At(t); }), c.tolerance) << c.name;
    }
  }
}

TEST(EllipseCurve, TheSweepOfItsParameters) {
  struct Case {
    const char* name;
    long double start, end, sweep;
  };
  const std::vector<Case> cases = {
      {"0 to 2π read as a float", 0, static_cast<float>(2 * kPi), 2 * kPi},
      {"start and end alike: the whole ellipse", 1.25L, 1.25L, 2 * kPi},
      {"a whole turn apart", -kPi, kPi, 2 * kPi},
      {"across the zero parameter", 3 * kPi / 2, kPi / 2, kPi},
      {"a quarter", 0, kPi / 2, kPi / 2},
      {"beyond a turn", 2 * kPi + 1, 2 * kPi + 2, 1},
  };
  for (const Case& c : cases) {
    EllipseCurve curve;
    curve.startParameter = c.start;
    curve.endParameter = c.end;
    EXPECT_NEAR(static_cast<double>(curve.Sweep()), static_cast<double>(c.sweep), 1e-9) << c.name;
  }
}

TEST(EllipseCurve, FromAnEllipsesMajorAxisAndRatio) {
  const std::optional<EllipseCurve> curve = EllipseCurve::FromMajorAxis(10, 20, 0, 8, 0.5L, 0, 2 * kPi);
  ASSERT_TRUE(curve);
  // The minor axis a quarter turn counter-clockwise from the major one.
  const DrawingPoint quarter = curve->At(kPi / 2);
  EXPECT_NEAR(static_cast<double>(quarter.x), 6, 1e-12);
  EXPECT_NEAR(static_cast<double>(quarter.y), 20, 1e-12);
  // An extrusion pointing down turns it the other way.
  const DrawingPoint mirrored = EllipseCurve::FromMajorAxis(10, 20, 0, 8, 0.5L, 0, 2 * kPi, true)->At(kPi / 2);
  EXPECT_NEAR(static_cast<double>(mirrored.x), 14, 1e-12);

  const long double inf = INFINITY;
  struct Bad {
    const char* name;
    long double majorX, ratio, start;
  };
  for (const Bad& bad : {Bad{"ratio 0", 5, 0, 0}, Bad{"negative ratio", 5, -1, 0}, Bad{"NaN ratio", 5, NAN, 0},
                         Bad{"no major axis", 0, 0.5L, 0}, Bad{"infinite axis", inf, 0.5L, 0},
                         Bad{"infinite parameter", 5, 0.5L, inf}}) {
    EXPECT_FALSE(EllipseCurve::FromMajorAxis(0, 0, bad.majorX, 0, bad.ratio, bad.start, 1)) << bad.name;
  }
}

TEST(EllipseCurve, AToleranceTooFineForAnyCountIsCapped) {
  const EllipseCurve huge{{0, 0}, {3e38L, 0}, {0, 1e-30L}, 0, 2 * kPi};
  for (long double tolerance : {0.0L, -1.0L, 1e-300L, static_cast<long double>(NAN)}) {
    EXPECT_EQ(huge.Flatten(tolerance).size(), EllipseCurve::kMostSegments + 1) << static_cast<double>(tolerance);
  }
}

// A quadratic whose weights are 1, √2/2, 1 over a square's corner is an
// exact quarter circle: only a right rational evaluation puts every point on
// it.
SplineCurve QuarterCircle() {
  SplineCurve curve;
  curve.degree = 2;
  curve.knots = {0, 0, 0, 1, 1, 1};
  curve.controlPoints = {{10, 0}, {10, 10}, {0, 10}};
  curve.weights = {1, std::sqrt(0.5L), 1};
  return curve;
}

TEST(SplineCurve, ARationalQuarterCircleLiesOnItsCircle) {
  const SplineCurve curve = QuarterCircle();
  ASSERT_TRUE(curve.IsDrawable());
  const std::vector<DrawingPoint> points = curve.Flatten(0.01L);
  EXPECT_GT(points.size(), 8u);
  for (const DrawingPoint& p : points) EXPECT_NEAR(static_cast<double>(std::hypot(p.x, p.y)), 10, 1e-12);
  EXPECT_LT(Distance(points.front(), {10, 0}), 1e-12L);
  EXPECT_LT(Distance(points.back(), {0, 10}), 1e-12L);
  // The chords of the circle stray by their sagitta.
  for (std::size_t i = 1; i < points.size(); ++i) {
    const long double half = Distance(points[i - 1], points[i]) / 2;
    EXPECT_LE(10 - std::sqrt(100 - half * half), 0.01L);
  }
}

// The chords of any spline, against the curve sampled at the parameters of
// its own pieces (each point found back on the curve by its nearest dense
// sample).
long double SplineStray(const SplineCurve& curve, const std::vector<DrawingPoint>& points) {
  const long double from = curve.knots[static_cast<std::size_t>(curve.degree)];
  const long double to = curve.knots[curve.controlPoints.size()];
  long double worst = 0;
  std::size_t segment = 1;
  for (int k = 0; k <= 20000; ++k) {
    const DrawingPoint p = curve.At(from + (to - from) * k / 20000);
    // The segment whose chord p is nearest, among this one and the next few.
    long double best = INFINITY;
    for (std::size_t s = segment; s < points.size() && s < segment + 3; ++s) {
      const long double d = DistanceFromSegment(p, points[s - 1], points[s]);
      if (d < best) {
        best = d;
        segment = s;
      }
    }
    worst = std::fmax(worst, best);
  }
  return worst;
}

TEST(SplineCurve, NoChordStraysFartherThanTheTolerance) {
  SplineCurve wave;
  wave.degree = 3;
  wave.controlPoints = {{0, 0}, {10, 40}, {20, -40}, {30, 40}, {40, -40}, {50, 0}, {60, 30}};
  wave.knots = {0, 0, 0, 0, 1, 2, 2.5L, 4, 4, 4, 4};
  SplineCurve unclamped = wave;
  unclamped.knots = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  SplineCurve weighted = wave;
  weighted.weights = {1, 5, 0.2L, 1, 3, 1, 1};
  for (const auto& [name, curve] : {std::pair{"clamped cubic", wave}, std::pair{"unclamped knots", unclamped},
                                    std::pair{"rational", weighted}}) {
    ASSERT_TRUE(curve.IsDrawable()) << name;
    for (long double tolerance : {1.0L, 0.05L}) {
      const std::vector<DrawingPoint> points = curve.Flatten(tolerance);
      EXPECT_LE(SplineStray(curve, points), tolerance * 1.0001L) << name << " at " << static_cast<double>(tolerance);
    }
  }
  // A clamped curve starts and ends on its end control points.
  const std::vector<DrawingPoint> points = wave.Flatten(0.5L);
  EXPECT_LT(Distance(points.front(), {0, 0}), 1e-12L);
  EXPECT_LT(Distance(points.back(), {60, 30}), 1e-12L);
}

TEST(SplineCurve, ValuesThatMakeNoCurveAreRefused) {
  const SplineCurve good = QuarterCircle();
  struct Case {
    const char* name;
    std::function<void(SplineCurve&)> spoil;
  };
  const std::vector<Case> cases = {
      {"degree 0", [](SplineCurve& c) { c.degree = 0; }},
      {"degree beyond the highest", [](SplineCurve& c) { c.degree = SplineCurve::kHighestDegree + 1; }},
      {"one knot too many", [](SplineCurve& c) { c.knots.push_back(1); }},
      {"one knot too few", [](SplineCurve& c) { c.knots.pop_back(); }},
      {"knots going back", [](SplineCurve& c) { c.knots = {0, 0, 0, 1, 0.5L, 1}; }},
      {"an empty domain", [](SplineCurve& c) { c.knots = {0, 0, 0, 0, 0, 0}; }},
      {"a NaN knot", [](SplineCurve& c) { c.knots[4] = NAN; }},
      {"too few control points", [](SplineCurve& c) { c.degree = 3; c.knots.push_back(1); }},
      {"a weight of 0", [](SplineCurve& c) { c.weights[1] = 0; }},
      {"a negative weight", [](SplineCurve& c) { c.weights[1] = -1; }},
      {"a weight missing", [](SplineCurve& c) { c.weights.pop_back(); }},
      {"an infinite control point", [](SplineCurve& c) { c.controlPoints[1].x = INFINITY; }},
  };
  for (const Case& c : cases) {
    SplineCurve spoiled = good;
    c.spoil(spoiled);
    EXPECT_FALSE(spoiled.IsDrawable()) << c.name;
  }
}

TEST(SplineCurve, MissingKnotsAreMadeClampedAndEven) {
  SplineCurve curve;
  curve.degree = 2;
  curve.controlPoints = {{0, 0}, {10, 10}, {20, 0}, {30, 10}};
  EXPECT_FALSE(curve.IsDrawable());
  const SplineCurve made = curve.WithKnots();
  EXPECT_EQ(made.knots, (std::vector<long double>{0, 0, 0, 1, 2, 2, 2}));
  ASSERT_TRUE(made.IsDrawable());
  EXPECT_LT(Distance(made.Flatten(0.1L).back(), {30, 10}), 1e-12L);
}

TEST(SplineCurve, ATooFineToleranceIsBoundedByTheRoomForPoints) {
  const SplineCurve curve = QuarterCircle();
  for (long double tolerance : {0.0L, 1e-300L, static_cast<long double>(NAN)}) {
    const std::size_t points = curve.Flatten(tolerance).size();
    EXPECT_LE(points, SplineCurve::kMostPoints + curve.Skeleton().size());
    EXPECT_GT(points, 1000u);
  }
}

TEST(CurveThroughPoints, PassesThroughEveryPointSmoothly) {
  const std::vector<DrawingPoint> fit = {{0, 0}, {10, 10}, {20, 0}, {20, 0}, {35, 5}, {40, 20}};
  const SplineCurve curve = CurveThroughPoints(fit, false);
  ASSERT_TRUE(curve.IsDrawable());
  // The repeated point is left out: five points, four pieces, each piece's
  // ends at knots 0, 1, 2, 3, 4.
  EXPECT_EQ(curve.knots.back(), 4);
  const std::vector<DrawingPoint> distinct = {{0, 0}, {10, 10}, {20, 0}, {35, 5}, {40, 20}};
  for (std::size_t i = 0; i < distinct.size(); ++i) {
    EXPECT_LT(Distance(curve.At(static_cast<long double>(i)), distinct[i]), 1e-12L) << i;
  }
  // Smooth where the pieces meet: the directions just before and after a
  // point agree.
  for (long double joint : {1.0L, 2.0L, 3.0L}) {
    const DrawingPoint before = curve.At(joint - 1e-6L);
    const DrawingPoint at = curve.At(joint);
    const DrawingPoint after = curve.At(joint + 1e-6L);
    const long double cross = (at.x - before.x) * (after.y - at.y) - (at.y - before.y) * (after.x - at.x);
    EXPECT_LT(std::fabs(cross) / (Distance(before, at) * Distance(at, after)), 1e-4L) << static_cast<double>(joint);
  }
}

TEST(CurveThroughPoints, ClosedTangentsAndTooFewPoints) {
  const std::vector<DrawingPoint> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  const SplineCurve closed = CurveThroughPoints(square, true);
  ASSERT_TRUE(closed.IsDrawable());
  EXPECT_LT(Distance(closed.Flatten(0.1L).back(), {0, 0}), 1e-12L);

  // A given start tangent is the direction the curve leaves its first
  // point in.
  const DrawingPoint up{0, 3};
  const SplineCurve bent = CurveThroughPoints(square, false, &up);
  const DrawingPoint leaving = bent.At(1e-6L);
  EXPECT_LT(std::fabs(leaving.x) / leaving.y, 1e-3L);

  // Two points: a straight line; one (or the same twice): nothing.
  const std::vector<DrawingPoint> two = {{0, 0}, {10, 5}};
  const SplineCurve line = CurveThroughPoints(two, false);
  ASSERT_TRUE(line.IsDrawable());
  for (const DrawingPoint& p : line.Flatten(0.001L)) EXPECT_NEAR(static_cast<double>(p.y * 2 - p.x), 0, 1e-12);
  const std::vector<DrawingPoint> same = {{3, 3}, {3, 3}};
  EXPECT_FALSE(CurveThroughPoints(same, false).IsDrawable());
}

}  // namespace
}  // namespace karvex
