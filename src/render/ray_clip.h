#pragma once
// Lines without end (RAY: one way from its start; XLINE: both ways through
// its point) cut down to the part that can show on the picture.
#include <cstdint>
#include <optional>

#include "render/drawing_point.h"
#include "render/mapping.h"

namespace karvex {

struct ClippedLine {
  DrawingPoint from;
  DrawingPoint to;
};

// The part of the line from start along direction (both ways when
// bothWays) inside the picture of width x height pixels as mapping places
// it, widened by a pixel on every side so that the cut ends fall outside
// the picture. Nothing when the line misses the picture or has no
// direction.
std::optional<ClippedLine> ClipToPicture(const Mapping& mapping, std::int32_t outputWidth, std::int32_t outputHeight,
                                         const DrawingPoint& start, const DrawingPoint& direction, bool bothWays);

}  // namespace karvex
