#include "render/entity_kinds.h"

#include <cstdint>

#include "render/bounds_sink.h"
#include "render/canvas_sink.h"
#include "render/entity_drawer.h"
#include "render/entity_records.h"
#include "render/kinds/ellipse_kind.h"
#include "render/kinds/leader_kind.h"
#include "render/kinds/ray_kind.h"
#include "render/kinds/spline_kind.h"

namespace karvex {
namespace {

// The usual kind: read the whole entity, take up its pen, draw its record.
// Sink, Place and In are the walk's own types, so all of it is inlined.
template <class Sink, class Place, class In, auto Read, auto Draw>
void ReadAndDraw(EntityDrawer& walk, const Placement& placement) {
  const auto record = Read(static_cast<In&>(walk.Input()));
  walk.ApplyStyle();
  Draw(static_cast<Sink&>(walk.Figures()), static_cast<const Place&>(placement), record);
}

template <class Sink, class Place>
void DrawLine(Sink& figures, const Place& placement, const LineRecord& line) {
  const DrawingPoint ends[] = {placement.Point(line.x1, line.y1), placement.Point(line.x2, line.y2)};
  figures.Outline(ends, false);
}

// Texts outside 1..3599 tenths of a degree are drawn unrotated.
std::int32_t ClampedTextAngle(std::int32_t angle) {
  constexpr std::int32_t kFullTurn = 3600;
  if (angle >= kFullTurn) angle = 0;
  if (angle <= 0) angle = 0;
  return angle;
}

template <class Sink, class Place>
void DrawText(Sink& figures, const Place& placement, const TextRecord& text) {
  const DrawingPoint corner = placement.TextCorner(text.x, text.y, text.height, text.rotation);
  const std::int32_t angle = placement.TextAngle(text.rotation);
  figures.Text(corner, text.height, ClampedTextAngle(angle), text.text);
}

template <class Sink, class Place>
void DrawCircle(Sink& figures, const Place& placement, const CircleRecord& circle) {
  figures.Circle(placement.Point(circle.x, circle.y), circle.radius);
}

template <class Sink, class Place>
void DrawArc(Sink& figures, const Place& placement, const ArcRecord& arc) {
  const DrawingPoint centre = placement.Point(arc.x, arc.y);
  const OffsetPoint start = placement.RadialPoint(arc.x, arc.y, arc.radius, arc.startAngle);
  const OffsetPoint end = placement.RadialPoint(arc.x, arc.y, arc.radius, arc.endAngle);
  figures.Arc(centre, arc.radius, start, end);
}

template <class Sink, class Place>
void DrawPoint(Sink& figures, const Place& placement, const PointRecord& point) {
  figures.Point(placement.Point(point.x, point.y));
}

// Outlined in the corners' numbered order 1-2-3-4-1, never filled.
template <class Sink, class Place>
void DrawSolid(Sink& figures, const Place& placement, const SolidRecord& solid) {
  DrawingPoint corners[4];
  for (std::size_t i = 0; i < 4; ++i) corners[i] = placement.Point(solid.x[i], solid.y[i]);
  figures.Outline(corners, true);
}

// Straight segments through the vertices' x and y, drawn as each vertex is
// read; bulges, widths and vertex flags are not read. A polyline with fewer
// than two vertices draws nothing and never reaches past its own SEQEND.
template <class Sink, class Place, class In>
void DrawPolyline(EntityDrawer& walk, const Placement& placement) {
  In& in = walk.Input();
  const bool closed = ReadPolylineClosedFlag(in);
  walk.ApplyStyle();
  GroupPairReader& pairs = in.Pairs();
  if (pairs.IsEnd("SEQEND")) return;
  auto& figures = static_cast<Sink&>(walk.Figures());
  const auto& place = static_cast<const Place&>(placement);
  float x = 0;
  float y = 0;
  ReadVertex(in, x, y);
  const DrawingPoint first = place.Point(x, y);
  figures.MoveTo(first);
  if (pairs.IsEnd("SEQEND")) return;
  do {
    ReadVertex(in, x, y);
    figures.LineTo(place.Point(x, y));
  } while (!pairs.IsEnd("SEQEND"));
  if (closed) figures.LineTo(first);
}

void DrawInsert(EntityDrawer& walk, const Placement&) { walk.DrawInsert(); }

template <class Sink, class Place, class In>
EntityKinds KindsFor() {
  return {
      {"LINE", ReadAndDraw<Sink, Place, In, ReadLine<In>, DrawLine<Sink, Place>>},
      {"TEXT", ReadAndDraw<Sink, Place, In, ReadText<In>, DrawText<Sink, Place>>},
      {"CIRCLE", ReadAndDraw<Sink, Place, In, ReadCircle<In>, DrawCircle<Sink, Place>>},
      {"ARC", ReadAndDraw<Sink, Place, In, ReadArc<In>, DrawArc<Sink, Place>>},
      {"POINT", ReadAndDraw<Sink, Place, In, ReadPoint<In>, DrawPoint<Sink, Place>>},
      {"POLYLINE", DrawPolyline<Sink, Place, In>},
      {"SOLID", ReadAndDraw<Sink, Place, In, ReadSolid<In>, DrawSolid<Sink, Place>>},
  };
}

// A plain drawing's readers never look at the style groups.
template <class Sink, class Place>
EntityKinds KindsOf(const DrawingOptions& options) {
  return options.Styled() ? KindsFor<Sink, Place, StyledEntityInput>() : KindsFor<Sink, Place, EntityInput>();
}

// The kinds of today's drawings, drawn only with all kinds on, after the
// others: one line each.
template <class In>
void AddTodaysKinds(EntityKinds& kinds) {
  kinds.Add({"ELLIPSE", DrawEllipse<In>});
  kinds.Add({"SPLINE", DrawSpline<In>});
  kinds.Add({"LEADER", DrawLeader<In>});
  kinds.Add({"RAY", DrawRay<In>});
  kinds.Add({"XLINE", DrawXline<In>});
}

void AddTodaysKinds(EntityKinds& kinds, const DrawingOptions& options) {
  if (!options.allKinds) return;
  if (options.Styled()) {
    AddTodaysKinds<StyledEntityInput>(kinds);
  } else {
    AddTodaysKinds<EntityInput>(kinds);
  }
}

}  // namespace

template <class Sink>
EntityKinds SectionKinds(const DrawingOptions& options) {
  EntityKinds kinds = KindsOf<Sink, SectionPlacement>(options);
  kinds.Add({"INSERT", DrawInsert});
  AddTodaysKinds(kinds, options);
  return kinds;
}

template <class Sink>
EntityKinds BlockKinds(const DrawingOptions& options) {
  EntityKinds kinds = KindsOf<Sink, BlockPlacement>(options);
  AddTodaysKinds(kinds, options);
  return kinds;
}

template EntityKinds SectionKinds<FigureSink>(const DrawingOptions&);
template EntityKinds SectionKinds<CanvasSink>(const DrawingOptions&);
template EntityKinds SectionKinds<BoundsSink>(const DrawingOptions&);
template EntityKinds BlockKinds<FigureSink>(const DrawingOptions&);
template EntityKinds BlockKinds<CanvasSink>(const DrawingOptions&);
template EntityKinds BlockKinds<BoundsSink>(const DrawingOptions&);

}  // namespace karvex
