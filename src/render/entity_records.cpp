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

}  // namespace

LineRecord CollectLine(GroupPairReader& reader) {
  LineRecord line;
  CollectGroups(reader, [&](std::int32_t code) {
    switch (code) {
      case 10: line.x1 = Real(reader); break;
      case 20: line.y1 = Real(reader); break;
      case 11: line.x2 = Real(reader); break;
      case 21: line.y2 = Real(reader); break;
      default: break;
    }
  });
  return line;
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
  CircleRecord circle;
  CollectGroups(reader, [&](std::int32_t code) {
    switch (code) {
      case 10: circle.x = Real(reader); break;
      case 20: circle.y = Real(reader); break;
      case 40: circle.radius = Real(reader); break;
      default: break;
    }
  });
  return circle;
}

ArcRecord CollectArc(GroupPairReader& reader) {
  ArcRecord arc;
  CollectGroups(reader, [&](std::int32_t code) {
    switch (code) {
      case 10: arc.x = Real(reader); break;
      case 20: arc.y = Real(reader); break;
      case 40: arc.radius = Real(reader); break;
      case 50: arc.startAngle = Real(reader); break;
      case 51: arc.endAngle = Real(reader); break;
      default: break;
    }
  });
  return arc;
}

PointRecord CollectPoint(GroupPairReader& reader) {
  PointRecord point;
  CollectGroups(reader, [&](std::int32_t code) {
    if (code == 10) point.x = Real(reader);
    if (code == 20) point.y = Real(reader);
  });
  return point;
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
  CollectGroups(reader, [&](std::int32_t code) {
    if (code == 10) x = Real(reader);
    if (code == 20) y = Real(reader);
  });
}

Color ColorFromNumber(std::int32_t number) {
  if (number < 0) return kBlack;
  return static_cast<Color>(number) & 0x00FFFFFFu;
}

}  // namespace karvex
