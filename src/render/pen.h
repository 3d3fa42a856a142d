#pragma once
// How one entity of a styled drawing is drawn, as its style groups, its
// layer and the INSERT it is replayed for resolve it.
#include <span>

#include "render/canvas.h"

namespace karvex {

struct Pen {
  // False for an entity of a layer that is off: nothing of it is drawn.
  bool visible = true;
  // Lines, points and texts in colour (line colours on).
  bool setsColour = false;
  Color colour = kBlack;
  // Lines, circles and arcs in this dash pattern (line types on): lengths
  // in drawing units, positive a dash, negative a gap, 0 a dot; empty is
  // solid.
  bool setsDashes = false;
  std::span<const float> dashes;
  // The factor of the dash lengths ($LTSCALE times the entity's own).
  float dashScale = 1.0f;
};

}  // namespace karvex
