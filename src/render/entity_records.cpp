#include "render/entity_records.h"

#include "dxf/number_conversion.h"

namespace karvex {
namespace {

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

}  // namespace

template <class In>
LineRecord ReadLine(In& in) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20, 11, 21});
  float values[4] = {0, 0, 0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1], values[2], values[3]};
}

template <class In>
TextRecord ReadText(In& in) {
  TextRecord text;
  in.ReadGroups([&](std::int32_t code) {
    switch (code) {
      case 10: text.x = Real(in); break;
      case 20: text.y = Real(in); break;
      case 40: text.height = Real(in); break;
      case 50: text.rotation = Real(in); break;
      case 1: text.text = in.Pairs().GroupValue(); break;
      default: break;
    }
  });
  return text;
}

template <class In>
CircleRecord ReadCircle(In& in) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20, 40});
  float values[3] = {0, 0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1], values[2]};
}

template <class In>
ArcRecord ReadArc(In& in) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20, 40, 50, 51});
  float values[5] = {0, 0, 0, 0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1], values[2], values[3], values[4]};
}

template <class In>
PointRecord ReadPoint(In& in) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20});
  float values[2] = {0, 0};
  in.ReadCoordinates(kFields, values);
  return {values[0], values[1]};
}

template <class In>
SolidRecord ReadSolid(In& in) {
  SolidRecord solid;
  in.ReadGroups([&](std::int32_t code) {
    if (code >= 10 && code <= 13) solid.x[static_cast<std::size_t>(code - 10)] = Real(in);
    if (code >= 20 && code <= 23) solid.y[static_cast<std::size_t>(code - 20)] = Real(in);
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
      case 10: insert.x = Real(in); break;
      case 20: insert.y = Real(in); break;
      case 50: insert.angle = Real(in); break;
      default: break;
    }
  });
  return insert;
}

template <class In>
bool ReadPolylineClosedFlag(In& in) {
  bool closed = false;
  in.ReadGroups([&](std::int32_t code) {
    // Once set by an odd value, a later even one does not clear it.
    if (code == 70 && ConvertInteger(in.Pairs().GroupValue()) % 2 != 0) closed = true;
  });
  return closed;
}

template <class In>
void ReadVertex(In& in, float& x, float& y) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20});
  float values[2] = {x, y};
  in.ReadCoordinates(kFields, values);
  x = values[0];
  y = values[1];
}

template LineRecord ReadLine(EntityInput&);
template TextRecord ReadText(EntityInput&);
template CircleRecord ReadCircle(EntityInput&);
template ArcRecord ReadArc(EntityInput&);
template PointRecord ReadPoint(EntityInput&);
template SolidRecord ReadSolid(EntityInput&);
template InsertRecord ReadInsert(EntityInput&);
template bool ReadPolylineClosedFlag(EntityInput&);
template void ReadVertex(EntityInput&, float&, float&);
template LineRecord ReadLine(StyledEntityInput&);
template TextRecord ReadText(StyledEntityInput&);
template CircleRecord ReadCircle(StyledEntityInput&);
template ArcRecord ReadArc(StyledEntityInput&);
template PointRecord ReadPoint(StyledEntityInput&);
template SolidRecord ReadSolid(StyledEntityInput&);
template InsertRecord ReadInsert(StyledEntityInput&);
template bool ReadPolylineClosedFlag(StyledEntityInput&);
template void ReadVertex(StyledEntityInput&, float&, float&);

}  // namespace karvex
