#pragma once
// ELLIPSE: an ellipse or an arc of one, drawn as a polyline fine enough at
// the picture's scale.
#include "render/entity_input.h"
#include "render/placement.h"

namespace karvex {

class EntityDrawer;

struct EllipseRecord {
  float x = 0, y = 0;                 // 10, 20: the centre
  float majorX = 1, majorY = 0;       // 11, 21: the major axis end, from the centre
  float ratio = 1;                    // 40: minor axis / major axis
  float start = 0;                    // 41: start parameter, radians
  float end = 6.2831855f;             // 42: end parameter
  float extrusionZ = 1;               // 230: below 0, the minor axis runs clockwise
};

template <class In>
EllipseRecord ReadEllipse(In& in);

// Values no ellipse has (a ratio that is not positive, no major axis,
// anything not finite) draw nothing.
template <class In>
void DrawEllipse(EntityDrawer& walk, const Placement& placement);

}  // namespace karvex
