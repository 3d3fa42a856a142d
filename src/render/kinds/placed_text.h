#pragma once
// One line of a text kind placed in its entity's own units: the point one
// cell height below the top-left corner of its cell (where a TEXT's
// insertion point lies), its height and rotation. The drawer turns it into
// a cell corner and an escapement through the walk's placement, as TEXT's.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/failures.h"
#include "dxf/number_conversion.h"
#include "render/affine_placement.h"
#include "render/placement.h"

namespace karvex {

struct PlacedLine {
  float x = 0, y = 0;
  std::string text;
};

// The text output turns texts by 1..3599 tenths of a degree; any other
// angle is first brought into one turn, so that a text at -90 degrees
// reads downwards as one at 270.
inline std::int32_t OneTurnTextAngle(std::int32_t tenths) {
  constexpr std::int32_t kFullTurn = 3600;
  tenths %= kFullTurn;
  return tenths < 0 ? tenths + kFullTurn : tenths;
}

// A text line through the walk's placement into the sink.
template <class Sink, class Place>
void DrawPlacedLine(Sink& figures, const Place& placement, const PlacedLine& line, float height, float rotation) {
  if (line.text.empty()) return;
  const DrawingPoint corner = placement.TextCorner(line.x, line.y, height, rotation);
  const std::int32_t angle = OneTurnTextAngle(placement.TextAngle(rotation));
  if constexpr (kScales<Place>) {
    figures.Text(corner, placement.TextHeight(height, rotation), angle, line.text);
  } else {
    figures.Text(corner, height, angle, line.text);
  }
}

// A group value of a text kind as a finite 32-bit float; none where it
// does not convert or does not fit: such a value is taken as not given.
// The conversion is TEXT's own.
inline std::optional<float> FiniteFloat(std::string_view text) {
  try {
    return ConvertRealToFloat(text);
  } catch (const Failure&) {
    return std::nullopt;
  }
}

}  // namespace karvex
