#include "render/entity_records.h"

#include "dxf/number_conversion.h"

namespace karvex {
namespace {

float Real(const GroupPairReader& reader) { return reader.GroupValueAsFloat(); }

// Runs store on every pair of the entity, from its own group-0 pair up to
// (not including) the next group-0 pair.
template <typename Store>
void CollectGroups(GroupPairReader& reader, Store store) {
  do {
    store(reader.GroupCode());
    reader.ReadGroupPair();
  } while (reader.GroupCode() != 0);
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

LineRecord CollectLine(GroupPairReader& reader) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20, 11, 21});
  float values[4] = {0, 0, 0, 0};
  reader.ReadCoordinatesToNextEntity(kFields, values);
  return {values[0], values[1], values[2], values[3]};
}

TextRecord CollectText(GroupPairReader& reader) {
  TextRecord text;
  CollectGroups(reader, [&](std::int32_t code) {
    switch (code) {
      case 10: text.x = Real(reader); break;
      case 20: text.y = Real(reader); break;
      case 40: text.height = Real(reader); break;
      case 50: text.rotation = Real(reader); break;
      case 1: text.text = reader.GroupValue(); break;
      default: break;
    }
  });
  return text;
}

CircleRecord CollectCircle(GroupPairReader& reader) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20, 40});
  float values[3] = {0, 0, 0};
  reader.ReadCoordinatesToNextEntity(kFields, values);
  return {values[0], values[1], values[2]};
}

ArcRecord CollectArc(GroupPairReader& reader) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20, 40, 50, 51});
  float values[5] = {0, 0, 0, 0, 0};
  reader.ReadCoordinatesToNextEntity(kFields, values);
  return {values[0], values[1], values[2], values[3], values[4]};
}

PointRecord CollectPoint(GroupPairReader& reader) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20});
  float values[2] = {0, 0};
  reader.ReadCoordinatesToNextEntity(kFields, values);
  return {values[0], values[1]};
}

SolidRecord CollectSolid(GroupPairReader& reader, Canvas& canvas) {
  SolidRecord solid;
  CollectGroups(reader, [&](std::int32_t code) {
    if (code >= 10 && code <= 13) solid.x[static_cast<std::size_t>(code - 10)] = Real(reader);
    if (code >= 20 && code <= 23) solid.y[static_cast<std::size_t>(code - 20)] = Real(reader);
    if (code == 62) canvas.SetPenColor(ColorFromNumber(ConvertInteger(reader.GroupValue())));
  });
  return solid;
}

InsertRecord CollectInsert(GroupPairReader& reader) {
  InsertRecord insert;
  CollectGroups(reader, [&](std::int32_t code) {
    switch (code) {
      case 2:
        insert.blockName = reader.GroupValue();
        insert.hasBlockName = true;
        break;
      case 10: insert.x = Real(reader); break;
      case 20: insert.y = Real(reader); break;
      case 50: insert.angle = Real(reader); break;
      default: break;
    }
  });
  return insert;
}

bool CollectPolylineClosedFlag(GroupPairReader& reader) {
  bool closed = false;
  CollectGroups(reader, [&](std::int32_t code) {
    // Once set by an odd value, a later even one does not clear it.
    if (code == 70 && ConvertInteger(reader.GroupValue()) % 2 != 0) closed = true;
  });
  return closed;
}

void CollectVertex(GroupPairReader& reader, float& x, float& y) {
  static constexpr CoordinateFields kFields = FieldsFor({10, 20});
  float values[2] = {x, y};
  reader.ReadCoordinatesToNextEntity(kFields, values);
  x = values[0];
  y = values[1];
}

Color ColorFromNumber(std::int32_t number) {
  if (number < 0) return kBlack;
  return static_cast<Color>(number);
}

}  // namespace karvex
