#include "render/kinds/ellipse_kind.h"

#include <optional>

#include "render/curves/ellipse_curve.h"
#include "render/entity_drawer.h"
#include "render/entity_records.h"
#include "render/kinds/curve_figures.h"

namespace karvex {

template <class In>
EllipseRecord ReadEllipse(In& in) {
  EllipseRecord ellipse;
  in.ReadGroups([&](std::int32_t code) {
    switch (code) {
      case 10: ellipse.x = entity_records_detail::Real(in); break;
      case 20: ellipse.y = entity_records_detail::Real(in); break;
      case 11: ellipse.majorX = entity_records_detail::Real(in); break;
      case 21: ellipse.majorY = entity_records_detail::Real(in); break;
      case 40: ellipse.ratio = entity_records_detail::Real(in); break;
      case 41: ellipse.start = entity_records_detail::Real(in); break;
      case 42: ellipse.end = entity_records_detail::Real(in); break;
      case 230: ellipse.extrusionZ = entity_records_detail::Real(in); break;
      default: break;
    }
  });
  return ellipse;
}

// An ELLIPSE's points are in world coordinates: its extrusion only says
// which way round its parameters run.
template <class In>
void DrawEllipse(EntityDrawer& walk, const Placement& placement) {
  const EllipseRecord record = ReadEllipse(static_cast<In&>(walk.Input()));
  walk.ApplyStyle();
  const std::optional<EllipseCurve> curve = EllipseCurve::FromMajorAxis(
      record.x, record.y, record.majorX, record.majorY, record.ratio, record.start, record.end, record.extrusionZ < 0);
  if (!curve) return;
  EllipseCurve placed = *curve;
  placed.centre = placement.Point(record.x, record.y);
  placed.u = PlacedDirection(placement, curve->centre, curve->u);
  placed.v = PlacedDirection(placement, curve->centre, curve->v);
  if (!placed.IsFinite()) return;
  FigureSink& figures = walk.Figures();
  const auto sure = placed.QuarterPoints();
  DrawThrough(figures, placed.Flatten(figures.ChordTolerance(Span(sure))));
}

template EllipseRecord ReadEllipse(EntityInput&);
template EllipseRecord ReadEllipse(StyledEntityInput&);
template void DrawEllipse<EntityInput>(EntityDrawer&, const Placement&);
template void DrawEllipse<StyledEntityInput>(EntityDrawer&, const Placement&);

}  // namespace karvex
