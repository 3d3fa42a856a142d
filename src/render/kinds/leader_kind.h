#pragma once
// LEADER: straight segments through its vertices (10/20), or a smooth curve
// through them when its path type (72) is 1, with a small closed arrow head
// at the first vertex unless its arrow head flag (71) is 0.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/drawing_point.h"
#include "render/entity_input.h"
#include "render/placement.h"

namespace karvex {

class EntityDrawer;

struct LeaderRecord {
  std::vector<DrawingPoint> vertices;  // 10/20
  std::int32_t arrowHead = 1;          // 71
  std::int32_t pathType = 0;           // 72: 1 a smooth curve
  float textHeight = 0;                // 40: sizes the arrow head
  // More vertices than a leader is given room for: read past, not drawn.
  bool tooLarge = false;

  static constexpr std::size_t kMostVertices = std::size_t{1} << 18;
};

template <class In>
LeaderRecord ReadLeader(In& in);

// The arrow head's length and width, in drawing units, for a leader whose
// first segment is firstSegment long: the annotation's text height when it
// has one (the size CAD programs give the head by default is about the
// text's), else a quarter of the segment; never more than half the
// segment. Its width is a third of its length.
long double ArrowHeadLength(float textHeight, long double firstSegment);

template <class In>
void DrawLeader(EntityDrawer& walk, const Placement& placement);

}  // namespace karvex
