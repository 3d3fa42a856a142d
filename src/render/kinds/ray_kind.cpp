#include "render/kinds/ray_kind.h"

#include "render/entity_drawer.h"
#include "render/entity_records.h"
#include "render/kinds/curve_figures.h"

namespace karvex {

template <class In>
RayRecord ReadRay(In& in) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20, 11, 21});
  float values[4] = {0, 0, 1, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1], values[2], values[3]};
}

namespace {

template <class In>
void DrawUnbounded(EntityDrawer& walk, const Placement& placement, bool bothWays) {
  const RayRecord ray = ReadRay(static_cast<In&>(walk.Input()));
  walk.ApplyStyle();
  if (ray.directionX == 0 && ray.directionY == 0) return;
  const DrawingPoint start = placement.Point(ray.x, ray.y);
  const DrawingPoint direction = PlacedDirection(placement, {ray.x, ray.y}, {ray.directionX, ray.directionY});
  walk.Figures().Ray(start, direction, bothWays);
}

}  // namespace

template <class In>
void DrawRay(EntityDrawer& walk, const Placement& placement) {
  DrawUnbounded<In>(walk, placement, false);
}

template <class In>
void DrawXline(EntityDrawer& walk, const Placement& placement) {
  DrawUnbounded<In>(walk, placement, true);
}

template RayRecord ReadRay(EntityInput&);
template RayRecord ReadRay(StyledEntityInput&);
template void DrawRay<EntityInput>(EntityDrawer&, const Placement&);
template void DrawRay<StyledEntityInput>(EntityDrawer&, const Placement&);
template void DrawXline<EntityInput>(EntityDrawer&, const Placement&);
template void DrawXline<StyledEntityInput>(EntityDrawer&, const Placement&);

}  // namespace karvex
