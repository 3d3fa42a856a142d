#pragma once
// The values one entity of each drawn kind reads, with their defaults, and
// one reader per kind that turns the entity's pairs into its record. Every
// reader starts on the entity's own (0, keyword) pair and stops on the next
// group-0 pair, which it leaves current.
#include <array>
#include <cstdint>
#include <string_view>

#include "dxf/number_conversion.h"
#include "render/entity_input.h"

namespace karvex {

struct LineRecord {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct TextRecord {
  float x = 0, y = 0;
  float height = 5.0f;
  float rotation = 0;  // degrees
  std::string_view text;
};

struct CircleRecord {
  float x = 0, y = 0, radius = 0;
};

struct ArcRecord {
  float x = 0, y = 0, radius = 0;
  float startAngle = 0, endAngle = 0;  // degrees
};

struct PointRecord {
  float x = 0, y = 0;
};

struct SolidRecord {
  std::array<float, 4> x{};
  std::array<float, 4> y{};
};

struct InsertRecord {
  std::string_view blockName;
  bool hasBlockName = false;
  float x = 0, y = 0, angle = 0;
};

// One reader per kind, for EntityInput (a plain picture) and
// StyledEntityInput (one in line types or colours, which takes the style
// groups on the way).
namespace entity_records_detail {

template <class In>
float Real(In& in) {
  return in.Pairs().GroupValueAsFloat();
}

// For records that keep coordinates only: codes[i] is the code whose value
// goes to field i.
template <std::size_t N>
constexpr CoordinateFields FieldsFor(const std::int32_t (&codes)[N]) {
  CoordinateFields fields{};
  fields.fill(-1);
  for (std::size_t i = 0; i < N; ++i) fields[static_cast<std::size_t>(codes[i])] = static_cast<std::int8_t>(i);
  return fields;
}

}  // namespace entity_records_detail

template <class In>
LineRecord ReadLine(In& in) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20, 11, 21});
  float values[4] = {0, 0, 0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1], values[2], values[3]};
}

template <class In>
TextRecord ReadText(In& in) {
  TextRecord text;
  in.ReadGroups([&](std::int32_t code) {
    switch (code) {
      case 10: text.x = entity_records_detail::Real(in); break;
      case 20: text.y = entity_records_detail::Real(in); break;
      case 40: text.height = entity_records_detail::Real(in); break;
      case 50: text.rotation = entity_records_detail::Real(in); break;
      case 1: text.text = in.Pairs().GroupValue(); break;
      default: break;
    }
  });
  return text;
}

template <class In>
CircleRecord ReadCircle(In& in) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20, 40});
  float values[3] = {0, 0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1], values[2]};
}

template <class In>
ArcRecord ReadArc(In& in) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20, 40, 50, 51});
  float values[5] = {0, 0, 0, 0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1], values[2], values[3], values[4]};
}

template <class In>
PointRecord ReadPoint(In& in) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20});
  float values[2] = {0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1]};
}

// A group 62 sets the pen colour at once, as it is read (see
// EntityInput::TakeSolidColourNumber).
template <class In>
SolidRecord ReadSolid(In& in) {
  SolidRecord solid;
  in.ReadGroups([&](std::int32_t code) {
    if (code >= 10 && code <= 13) solid.x[static_cast<std::size_t>(code - 10)] = entity_records_detail::Real(in);
    if (code >= 20 && code <= 23) solid.y[static_cast<std::size_t>(code - 20)] = entity_records_detail::Real(in);
    if (code == 62) in.TakeSolidColourNumber();
  });
  return solid;
}

template <class In>
InsertRecord ReadInsert(In& in) {
  InsertRecord insert;
  in.ReadGroups([&](std::int32_t code) {
    switch (code) {
      case 2:
        insert.blockName = in.Pairs().GroupValue();
        insert.hasBlockName = true;
        break;
      case 10: insert.x = entity_records_detail::Real(in); break;
      case 20: insert.y = entity_records_detail::Real(in); break;
      case 50: insert.angle = entity_records_detail::Real(in); break;
      default: break;
    }
  });
  return insert;
}

// The POLYLINE header (group 70 only); true when any group 70 was odd.
template <class In>
bool ReadPolylineClosedFlag(In& in) {
  bool closed = false;
  in.ReadGroups([&](std::int32_t code) {
    // Once set by an odd value, a later even one does not clear it.
    if (code == 70 && ConvertInteger(in.Pairs().GroupValue()) % 2 != 0) closed = true;
  });
  return closed;
}

// One vertex entity into (x, y), which keep their values where the vertex
// has no group 10 or 20.
template <class In>
void ReadVertex(In& in, float& x, float& y) {
  static constexpr CoordinateFields kFields = entity_records_detail::FieldsFor({10, 20});
  float values[2] = {x, y};
  in.ReadCoordinates(kFields, values);
  x = values[0];
  y = values[1];
}

}  // namespace karvex
