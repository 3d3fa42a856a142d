#include "render/kinds/leader_kind.h"

#include <algorithm>
#include <cmath>

#include "dxf/number_conversion.h"
#include "render/curves/spline_curve.h"
#include "render/entity_drawer.h"
#include "render/entity_records.h"
#include "render/kinds/curve_figures.h"

namespace karvex {

template <class In>
LeaderRecord ReadLeader(In& in) {
  LeaderRecord leader;
  in.ReadGroups([&](std::int32_t code) {
    switch (code) {
      case 10:
        if (leader.vertices.size() == LeaderRecord::kMostVertices) {
          leader.tooLarge = true;
        } else {
          leader.vertices.push_back({entity_records_detail::Real(in), 0});
        }
        break;
      case 20:
        if (!leader.vertices.empty()) leader.vertices.back().y = entity_records_detail::Real(in);
        break;
      case 40: leader.textHeight = entity_records_detail::Real(in); break;
      case 71: leader.arrowHead = ConvertInteger(in.Pairs().GroupValue()); break;
      case 72: leader.pathType = ConvertInteger(in.Pairs().GroupValue()); break;
      default: break;
    }
  });
  return leader;
}

long double ArrowHeadLength(float textHeight, long double firstSegment) {
  const long double wanted = textHeight > 0 && std::isfinite(textHeight) ? textHeight : firstSegment / 4;
  return std::min(wanted, firstSegment / 2);
}

namespace {

constexpr std::int32_t kSmoothPath = 1;
constexpr long double kArrowWidthPerLength = 1.0L / 3;

DrawingPoint PlacedPoint(const Placement& placement, const DrawingPoint& p) {
  return placement.Point(static_cast<float>(p.x), static_cast<float>(p.y));
}

// A closed triangle with its tip on the first vertex, pointing away from
// the next vertex that is not on the same spot.
void DrawArrowHead(FigureSink& figures, const Placement& placement, const LeaderRecord& leader) {
  const DrawingPoint& tip = leader.vertices.front();
  for (const DrawingPoint& next : leader.vertices) {
    const long double dx = next.x - tip.x;
    const long double dy = next.y - tip.y;
    const long double length = std::hypot(dx, dy);
    if (!(length > 0) || !std::isfinite(length)) continue;
    const long double head = ArrowHeadLength(leader.textHeight, length);
    const long double along = head / length;
    const long double across = head * kArrowWidthPerLength / 2 / length;
    const DrawingPoint base{tip.x + dx * along, tip.y + dy * along};
    const DrawingPoint corners[] = {PlacedPoint(placement, tip),
                                    PlacedPoint(placement, {base.x - dy * across, base.y + dx * across}),
                                    PlacedPoint(placement, {base.x + dy * across, base.y - dx * across})};
    figures.Outline(corners, true);
    return;
  }
}

}  // namespace

template <class In>
void DrawLeader(EntityDrawer& walk, const Placement& placement) {
  const LeaderRecord leader = ReadLeader(static_cast<In&>(walk.Input()));
  walk.ApplyStyle();
  if (leader.tooLarge || leader.vertices.empty()) return;
  FigureSink& figures = walk.Figures();
  std::vector<DrawingPoint> placed;
  placed.reserve(leader.vertices.size());
  for (const DrawingPoint& vertex : leader.vertices) placed.push_back(PlacedPoint(placement, vertex));
  if (leader.pathType == kSmoothPath && placed.size() > 2) {
    // The curve leaves the arrow head along the first segment.
    const DrawingPoint start{placed[1].x - placed[0].x, placed[1].y - placed[0].y};
    const SplineCurve curve = CurveThroughPoints(placed, false, &start);
    if (curve.IsDrawable()) {
      DrawThrough(figures, curve.Flatten(figures.ChordTolerance(Span(curve.Skeleton()))));
    }
  } else if (placed.size() > 1) {
    DrawThrough(figures, placed);
  }
  if (leader.arrowHead != 0 && placed.size() > 1) DrawArrowHead(figures, placement, leader);
}

template LeaderRecord ReadLeader(EntityInput&);
template LeaderRecord ReadLeader(StyledEntityInput&);
template void DrawLeader<EntityInput>(EntityDrawer&, const Placement&);
template void DrawLeader<StyledEntityInput>(EntityDrawer&, const Placement&);

}  // namespace karvex
