#pragma once
// The values one entity of each drawn kind collects, with their defaults, and
// the collecting rule they share: start on the entity's own (0, keyword)
// pair, store each collected group, read on, stop on the next group-0 pair
// (which is left current). Groups 6 (line type) and 8 (layer) are read and
// have no effect on the picture, so they are not kept.
#include <array>
#include <cstdint>
#include <string_view>

#include "dxf/group_pair_reader.h"
#include "render/canvas.h"

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

LineRecord CollectLine(GroupPairReader& reader);
TextRecord CollectText(GroupPairReader& reader);
CircleRecord CollectCircle(GroupPairReader& reader);
ArcRecord CollectArc(GroupPairReader& reader);
PointRecord CollectPoint(GroupPairReader& reader);
// A group 62 sets the pen colour at once, as it is read.
SolidRecord CollectSolid(GroupPairReader& reader, Canvas& canvas);
InsertRecord CollectInsert(GroupPairReader& reader);

// The POLYLINE header (group 70 only); true when any group 70 was odd.
bool CollectPolylineClosedFlag(GroupPairReader& reader);
// One vertex entity into (x, y), which keep their values where the vertex
// has no group 10 or 20.
void CollectVertex(GroupPairReader& reader, float& x, float& y);

// The colour a SOLID's group 62 gives the pen: the number itself as a colour
// reference (no colour-number palette; a high byte is left for the canvas to
// read as the platform does); a negative number gives black.
Color ColorFromNumber(std::int32_t number);

}  // namespace karvex
