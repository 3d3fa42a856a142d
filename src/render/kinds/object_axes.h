#pragma once
// Where an entity's own coordinates lie in the drawing. An entity drawn in
// its object coordinates (arcs, circles, polylines, solids, traces) is seen
// along its extrusion direction (groups 210/220/230); one whose direction
// points down, (0, 0, -1), is seen from below, so CAD draws it mirrored left
// to right: x becomes -x, and arcs turn the other way. Only the sign of the
// direction's z counts: a tilted direction is drawn as seen from above.
#include <cstdint>

namespace karvex {

class ObjectAxes {
 public:
  // Group 230 sets the direction's z; other codes are not taken.
  void Take(std::int32_t code, float value) {
    if (code == 230) mirrored_ = value < 0;
  }
  bool Mirrored() const { return mirrored_; }
  float X(float x) const { return mirrored_ ? -x : x; }

 private:
  bool mirrored_ = false;
};

}  // namespace karvex
