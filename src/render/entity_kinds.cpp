#include "render/entity_kinds.h"

#include <cstdint>
#include <type_traits>

#include "render/bounds_sink.h"
#include "render/canvas_sink.h"
#include "render/entity_drawer.h"
#include "render/entity_records.h"
#include "render/kinds/extruded_kinds.h"
#include "render/kinds/face_kind.h"
#include "render/kinds/hatch_kind.h"
#include "render/kinds/lwpolyline_kind.h"
#include "render/kinds/placed_figures.h"
#include "render/kinds/polyline_kind.h"
#include "render/kinds/aligned_text_kind.h"
#include "render/kinds/mtext_kind.h"
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
  if constexpr (kScales<Place>) {
    figures.Text(corner, placement.TextHeight(text.height, text.rotation), ClampedTextAngle(angle), text.text);
  } else {
    figures.Text(corner, text.height, ClampedTextAngle(angle), text.text);
  }
}

template <class Sink, class Place>
void DrawCircle(Sink& figures, const Place& placement, const CircleRecord& circle) {
  if constexpr (kScales<Place>) {
    DrawPlacedCircle(figures, placement, circle.x, circle.y, circle.radius);
  } else {
    figures.Circle(placement.Point(circle.x, circle.y), circle.radius);
  }
}

template <class Sink, class Place>
void DrawArc(Sink& figures, const Place& placement, const ArcRecord& arc) {
  if constexpr (kScales<Place>) {
    DrawPlacedArc(figures, placement, arc.x, arc.y, arc.radius, arc.startAngle, arc.endAngle);
    return;
  }
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

// With today's kinds, blocks are placed with all of their INSERT, and nest.
template <class Place>
const AffinePlacement& Outer(const Placement& placement) {
  static const AffinePlacement kSection;
  if constexpr (kScales<Place>) {
    return static_cast<const AffinePlacement&>(placement);
  } else {
    return kSection;
  }
}
template <class Place>
void DrawPlacedInsert(EntityDrawer& walk, const Placement& placement) {
  walk.DrawPlacedInsert(Outer<Place>(placement));
}
template <class Place>
void DrawDimension(EntityDrawer& walk, const Placement& placement) {
  walk.DrawDimension(Outer<Place>(placement));
}

// Today's kinds, drawn with all kinds on, in the ENTITIES walk and the block
// replay alike: one line each. Replace takes the place of one of the seven
// kinds with a reader that reads more of it. A replayed block leaves out what
// only the ENTITIES section shows.
template <class Sink, class Place, class In>
void AddTodaysKinds(EntityKinds& kinds, EntityPlace place) {
  kinds.Add({"LWPOLYLINE", DrawLwPolyline<Sink, Place, In>});
  kinds.Add({"3DFACE", DrawFace<Sink, Place, In>});
  kinds.Add({"TRACE", ReadAndDraw<Sink, Place, In, ReadTrace<In>, DrawSolid<Sink, Place>>});
  kinds.Replace({"POLYLINE", DrawFullPolyline<Sink, Place, In>});
  kinds.Replace({"CIRCLE", ReadAndDraw<Sink, Place, In, ReadExtrudedCircle<In>, DrawCircle<Sink, Place>>});
  kinds.Replace({"ARC", ReadAndDraw<Sink, Place, In, ReadExtrudedArc<In>, DrawArc<Sink, Place>>});
  kinds.Replace({"SOLID", ReadAndDraw<Sink, Place, In, ReadExtrudedSolid<In>, DrawSolid<Sink, Place>>});
  kinds.Replace({"TEXT", DrawAlignedText<Sink, Place, In, kTextGroups, false>});
  kinds.Add({"MTEXT", DrawMtext<Sink, Place, In>});
  kinds.Add({"ATTRIB", DrawAlignedText<Sink, Place, In, kAttributeGroups, true>});
  // A block's ATTDEFs are the forms its INSERTs' ATTRIBs fill in: CAD shows
  // the ATTRIBs, and an ATTDEF only where it stands in the drawing itself.
  if (place == EntityPlace::Section) {
    kinds.Add({"ATTDEF", DrawAlignedText<Sink, Place, In, kAttributeDefinitionGroups, true>});
  }
  kinds.Add({"DIMENSION", DrawDimension<Place>});
  kinds.Add({"HATCH", DrawHatch<Sink, Place, In>});
  kinds.Add({"ELLIPSE", DrawEllipse<In>});
  kinds.Add({"SPLINE", DrawSpline<In>});
  kinds.Add({"LEADER", DrawLeader<In>});
  kinds.Add({"RAY", DrawRay<In>});
  kinds.Add({"XLINE", DrawXline<In>});
}

template <class Sink, class Place, class In>
EntityKinds KindsFor(const DrawingOptions& options, EntityPlace place) {
  EntityKinds kinds = {
      {"LINE", ReadAndDraw<Sink, Place, In, ReadLine<In>, DrawLine<Sink, Place>>},
      {"TEXT", ReadAndDraw<Sink, Place, In, ReadText<In>, DrawText<Sink, Place>>},
      {"CIRCLE", ReadAndDraw<Sink, Place, In, ReadCircle<In>, DrawCircle<Sink, Place>>},
      {"ARC", ReadAndDraw<Sink, Place, In, ReadArc<In>, DrawArc<Sink, Place>>},
      {"POINT", ReadAndDraw<Sink, Place, In, ReadPoint<In>, DrawPoint<Sink, Place>>},
      {"POLYLINE", DrawPolyline<Sink, Place, In>},
      {"SOLID", ReadAndDraw<Sink, Place, In, ReadSolid<In>, DrawSolid<Sink, Place>>},
  };
  if (options.allKinds) AddTodaysKinds<Sink, Place, In>(kinds, place);
  return kinds;
}

// A plain drawing's readers never look at the style groups.
template <class Sink, class Place>
EntityKinds KindsOf(const DrawingOptions& options, EntityPlace place) {
  return options.Styled() ? KindsFor<Sink, Place, StyledEntityInput>(options, place)
                          : KindsFor<Sink, Place, EntityInput>(options, place);
}

}  // namespace

// With all kinds on, INSERT places its block with all it says, in the
// ENTITIES section and inside blocks, whose placement is AffinePlacement.
template <class Sink>
EntityKinds SectionKinds(const DrawingOptions& options) {
  EntityKinds kinds = KindsOf<Sink, SectionPlacement>(options, EntityPlace::Section);
  kinds.Add({"INSERT", options.allKinds ? DrawPlacedInsert<SectionPlacement> : DrawInsert});
  return kinds;
}

template <class Sink>
EntityKinds BlockKinds(const DrawingOptions& options) {
  if (!options.allKinds) return KindsOf<Sink, BlockPlacement>(options, EntityPlace::Block);
  EntityKinds kinds = KindsOf<Sink, AffinePlacement>(options, EntityPlace::Block);
  kinds.Add({"INSERT", DrawPlacedInsert<AffinePlacement>});
  return kinds;
}

template EntityKinds SectionKinds<FigureSink>(const DrawingOptions&);
template EntityKinds SectionKinds<CanvasSink>(const DrawingOptions&);
template EntityKinds SectionKinds<BoundsSink>(const DrawingOptions&);
template EntityKinds BlockKinds<FigureSink>(const DrawingOptions&);
template EntityKinds BlockKinds<CanvasSink>(const DrawingOptions&);
template EntityKinds BlockKinds<BoundsSink>(const DrawingOptions&);

}  // namespace karvex
