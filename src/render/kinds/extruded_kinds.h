#pragma once
// CIRCLE, ARC and SOLID read with their extrusion (group 230), and TRACE,
// drawn by the same drawers as the seven kinds: each reader hands over the
// record as seen from above, mirrored when the entity is seen from below.
#include <array>
#include <cstddef>
#include <cstdint>

#include "render/entity_records.h"
#include "render/kinds/object_axes.h"

namespace karvex {

// Mirrors a record left to right: x to -x, and an arc's angles so that it
// still runs counter-clockwise from start to end.
void Mirror(CircleRecord& circle);
void Mirror(ArcRecord& arc);
void Mirror(SolidRecord& solid);
// A TRACE's corners 3 and 4 are the far end's, in the same order as 1 and
// 2: its outline runs 1-2-4-3.
void TraceCornersInOutlineOrder(SolidRecord& trace);

namespace extruded_kinds_detail {

template <class Record>
Record SeenFromAbove(Record record, const ObjectAxes& axes) {
  if (axes.Mirrored()) Mirror(record);
  return record;
}

// The coordinates the fields name (by group code, below 64), and the
// extrusion.
template <std::size_t N, class In>
std::array<float, N> ReadFields(In& in, const CoordinateFields& fields, ObjectAxes& axes) {
  std::array<float, N> values{};
  in.ReadGroups([&](std::int32_t code) {
    if (code >= 0 && code < static_cast<std::int32_t>(fields.size()) && fields[static_cast<std::size_t>(code)] >= 0) {
      values[static_cast<std::size_t>(fields[static_cast<std::size_t>(code)])] = in.Pairs().GroupValueAsFloat();
    }
    if (code == 230) axes.Take(code, in.Pairs().GroupValueAsFloat());
  });
  return values;
}

// A SOLID or TRACE: corners 10-13 / 20-23 and the extrusion.
template <class In, typename Extra>
SolidRecord ReadCorners(In& in, Extra extra) {
  SolidRecord solid;
  ObjectAxes axes;
  in.ReadGroups([&](std::int32_t code) {
    if (code >= 10 && code <= 13) solid.x[static_cast<std::size_t>(code - 10)] = in.Pairs().GroupValueAsFloat();
    if (code >= 20 && code <= 23) solid.y[static_cast<std::size_t>(code - 20)] = in.Pairs().GroupValueAsFloat();
    if (code == 230) axes.Take(code, in.Pairs().GroupValueAsFloat());
    extra(code);
  });
  return SeenFromAbove(solid, axes);
}

}  // namespace extruded_kinds_detail

template <class In>
CircleRecord ReadExtrudedCircle(In& in) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20, 40});
  ObjectAxes axes;
  const auto v = extruded_kinds_detail::ReadFields<3>(in, kFields, axes);
  return extruded_kinds_detail::SeenFromAbove(CircleRecord{v[0], v[1], v[2]}, axes);
}

template <class In>
ArcRecord ReadExtrudedArc(In& in) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20, 40, 50, 51});
  ObjectAxes axes;
  const auto v = extruded_kinds_detail::ReadFields<5>(in, kFields, axes);
  return extruded_kinds_detail::SeenFromAbove(ArcRecord{v[0], v[1], v[2], v[3], v[4]}, axes);
}

// A group 62 sets the pen colour at once, as the SOLID of the seven kinds
// does.
template <class In>
SolidRecord ReadExtrudedSolid(In& in) {
  return extruded_kinds_detail::ReadCorners(in, [&](std::int32_t code) {
    if (code == 62) in.TakeSolidColourNumber();
  });
}

// A TRACE's colour is a style like any other entity's.
template <class In>
SolidRecord ReadTrace(In& in) {
  SolidRecord trace = extruded_kinds_detail::ReadCorners(in, [](std::int32_t) {});
  TraceCornersInOutlineOrder(trace);
  return trace;
}

}  // namespace karvex
