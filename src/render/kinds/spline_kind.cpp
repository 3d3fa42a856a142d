#include "render/kinds/spline_kind.h"

#include "dxf/number_conversion.h"
#include "render/curves/spline_curve.h"
#include "render/entity_drawer.h"
#include "render/entity_records.h"
#include "render/kinds/curve_figures.h"

namespace karvex {
namespace {

constexpr std::int32_t kClosedFlag = 1;

template <class T>
void Append(SplineRecord& record, std::vector<T>& list, const T& value) {
  if (list.size() == SplineRecord::kMostValues) {
    record.tooLarge = true;
    return;
  }
  list.push_back(value);
}

}  // namespace

// Each 10 (11) starts a point, and the 20 (21) after it gives its y.
template <class In>
SplineRecord ReadSpline(In& in) {
  SplineRecord spline;
  in.ReadGroups([&](std::int32_t code) {
    const auto real = [&] { return static_cast<long double>(entity_records_detail::Real(in)); };
    switch (code) {
      case 70: spline.flags = ConvertInteger(in.Pairs().GroupValue()); break;
      case 71: spline.degree = ConvertInteger(in.Pairs().GroupValue()); break;
      case 40: Append(spline, spline.knots, real()); break;
      case 41: Append(spline, spline.weights, real()); break;
      case 10: Append(spline, spline.controlPoints, DrawingPoint{real(), 0}); break;
      case 20:
        if (!spline.controlPoints.empty()) spline.controlPoints.back().y = real();
        break;
      case 11: Append(spline, spline.fitPoints, DrawingPoint{real(), 0}); break;
      case 21:
        if (!spline.fitPoints.empty()) spline.fitPoints.back().y = real();
        break;
      case 12:
      case 22:
        (code == 12 ? spline.startTangent.x : spline.startTangent.y) = real();
        spline.hasStartTangent = true;
        break;
      case 13:
      case 23:
        (code == 13 ? spline.endTangent.x : spline.endTangent.y) = real();
        spline.hasEndTangent = true;
        break;
      default: break;
    }
  });
  return spline;
}

namespace {

std::vector<DrawingPoint> Placed(const Placement& placement, const std::vector<DrawingPoint>& points) {
  std::vector<DrawingPoint> placed;
  placed.reserve(points.size());
  for (const DrawingPoint& p : points) placed.push_back(placement.Point(static_cast<float>(p.x), static_cast<float>(p.y)));
  return placed;
}

// The curve in placed coordinates: control points (and fit points and
// their tangents) placed, knots and weights as they are, which an affine
// placement leaves the curve's own.
SplineCurve PlacedCurve(const SplineRecord& record, const Placement& placement) {
  if (!record.controlPoints.empty()) {
    SplineCurve curve;
    curve.degree = record.degree;
    curve.knots = record.knots;
    curve.weights = record.weights;
    curve.controlPoints = Placed(placement, record.controlPoints);
    return curve.WithKnots();
  }
  const std::vector<DrawingPoint> fit = Placed(placement, record.fitPoints);
  if (fit.empty()) return {};
  DrawingPoint start{0, 0};
  DrawingPoint end{0, 0};
  if (record.hasStartTangent) start = PlacedDirection(placement, record.fitPoints.front(), record.startTangent);
  if (record.hasEndTangent) end = PlacedDirection(placement, record.fitPoints.back(), record.endTangent);
  return CurveThroughPoints(fit, (record.flags & kClosedFlag) != 0, record.hasStartTangent ? &start : nullptr,
                            record.hasEndTangent ? &end : nullptr);
}

}  // namespace

template <class In>
void DrawSpline(EntityDrawer& walk, const Placement& placement) {
  const SplineRecord record = ReadSpline(static_cast<In&>(walk.Input()));
  walk.ApplyStyle();
  if (record.tooLarge) return;
  const SplineCurve curve = PlacedCurve(record, placement);
  if (!curve.IsDrawable()) return;
  FigureSink& figures = walk.Figures();
  DrawThrough(figures, curve.Flatten(figures.ChordTolerance(Span(curve.Skeleton()))));
}

template SplineRecord ReadSpline(EntityInput&);
template SplineRecord ReadSpline(StyledEntityInput&);
template void DrawSpline<EntityInput>(EntityDrawer&, const Placement&);
template void DrawSpline<StyledEntityInput>(EntityDrawer&, const Placement&);

}  // namespace karvex
