#pragma once
// RAY (from its start point 10/20 along its direction 11/21) and XLINE
// (through its point 10/20 both ways along 11/21): lines without end, drawn
// as far as the picture reaches. They do not count towards the box of a
// picture framed by what it draws, which would have no end.
#include "render/entity_input.h"
#include "render/placement.h"

namespace karvex {

class EntityDrawer;

struct RayRecord {
  float x = 0, y = 0;
  float directionX = 1, directionY = 0;
};

template <class In>
RayRecord ReadRay(In& in);

// A direction of length 0 draws nothing.
template <class In>
void DrawRay(EntityDrawer& walk, const Placement& placement);
template <class In>
void DrawXline(EntityDrawer& walk, const Placement& placement);

}  // namespace karvex
