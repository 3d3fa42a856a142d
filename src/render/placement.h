#pragma once
// Where the points of an entity lie in drawing units. In the ENTITIES
// section a point stays as it stands; inside a block it is first turned
// about the block's base point and moved onto the insertion point. Each
// placement forms its sums in extended precision; the mapping rounds them
// once per coordinate afterwards.
#include <cstdint>

#include "render/drawing_point.h"
#include "render/polar_cache.h"
#include "render/turn_replay.h"

namespace karvex {

class Placement {
 public:
  virtual DrawingPoint Point(float x, float y) const = 0;
  // The point radius drawing units from the centre in the direction of
  // angleDegrees (an arc's start or end point).
  virtual OffsetPoint RadialPoint(float x, float y, float radius, float angleDegrees) const = 0;
  // The text reference point: height drawing units from the insertion point
  // along the text's rotation + 90 degrees, the top-left corner of its cell.
  virtual DrawingPoint TextCorner(float x, float y, float height, float rotationDegrees) const = 0;
  // The text's escapement in tenths of a degree, before the text output's
  // clamp.
  virtual std::int32_t TextAngle(float rotationDegrees) const = 0;

 protected:
  ~Placement() = default;
};

// Points of the ENTITIES section.
class SectionPlacement final : public Placement {
 public:
  DrawingPoint Point(float x, float y) const override { return {x, y}; }
  OffsetPoint RadialPoint(float x, float y, float radius, float angleDegrees) const override;
  DrawingPoint TextCorner(float x, float y, float height, float rotationDegrees) const override;
  std::int32_t TextAngle(float rotationDegrees) const override;
};

// Points of a block replayed for an INSERT: turned by the insertion angle
// about the base point (in polar form: each point's own angle and distance),
// then moved so that the base point lands on the insertion point. No scaling.
class BlockPlacement final : public Placement {
 public:
  // cache and replay may be null; they only save work.
  BlockPlacement(float baseX, float baseY, float insertX, float insertY, float insertAngle,
                 PolarCache* cache = nullptr, TurnReplay::Cursor* replay = nullptr)
      : baseX_(baseX), baseY_(baseY), insertX_(insertX), insertY_(insertY), insertAngle_(insertAngle),
        cache_(cache), replay_(replay) {}
  DrawingPoint Point(float x, float y) const override { return Turn(x, y); }
  OffsetPoint RadialPoint(float x, float y, float radius, float angleDegrees) const override;
  DrawingPoint TextCorner(float x, float y, float height, float rotationDegrees) const override;
  std::int32_t TextAngle(float rotationDegrees) const override;

  // The turned and moved point: (X' + InsertX, Y' + InsertY).
  DrawingPoint Turn(float x, float y) const;

 private:
  float baseX_, baseY_;
  float insertX_, insertY_, insertAngle_;
  PolarCache* cache_;
  TurnReplay::Cursor* replay_;
};

// Degrees to radians with pi in extended precision.
long double Radians(long double degrees);

}  // namespace karvex
