#pragma once
// Where the points of an entity land on the picture. In the ENTITIES section
// a point is mapped as it stands; inside a block it is first turned about
// the block's base point and moved onto the insertion point. Each placement
// forms its sums in extended precision and rounds once per coordinate.
#include <cstdint>

#include "render/mapping.h"
#include "render/polar_cache.h"
#include "render/turn_replay.h"

namespace karvex {

class Placement {
 public:
  virtual PixelPoint Point(float x, float y) const = 0;
  virtual PixelBox CircleBox(float x, float y, float radius) const = 0;
  // The point radius drawing units from the centre in the direction of
  // angleDegrees (an arc's start or end point).
  virtual PixelPoint RadialPoint(float x, float y, float radius, float angleDegrees) const = 0;
  // The text reference point: height drawing units from the insertion point
  // along the text's rotation + 90 degrees, the top-left corner of its cell.
  virtual PixelPoint TextCorner(float x, float y, float height, float rotationDegrees) const = 0;
  // The text's escapement in tenths of a degree, before the text output's
  // clamp.
  virtual std::int32_t TextAngle(float rotationDegrees) const = 0;
  virtual std::int32_t Length(float length) const = 0;

 protected:
  ~Placement() = default;
};

// Points of the ENTITIES section.
class SectionPlacement final : public Placement {
 public:
  explicit SectionPlacement(const Mapping& mapping) : mapping_(mapping) {}
  PixelPoint Point(float x, float y) const override;
  PixelBox CircleBox(float x, float y, float radius) const override;
  PixelPoint RadialPoint(float x, float y, float radius, float angleDegrees) const override;
  PixelPoint TextCorner(float x, float y, float height, float rotationDegrees) const override;
  std::int32_t TextAngle(float rotationDegrees) const override;
  std::int32_t Length(float length) const override;

 private:
  const Mapping& mapping_;
};

// Points of a block replayed for an INSERT: turned by the insertion angle
// about the base point (in polar form: each point's own angle and distance),
// then moved so that the base point lands on the insertion point. No scaling.
class BlockPlacement final : public Placement {
 public:
  // cache and replay may be null; they only save work.
  BlockPlacement(const Mapping& mapping, float baseX, float baseY, float insertX, float insertY, float insertAngle,
                 PolarCache* cache = nullptr, TurnReplay::Cursor* replay = nullptr)
      : mapping_(mapping), baseX_(baseX), baseY_(baseY), insertX_(insertX), insertY_(insertY),
        insertAngle_(insertAngle), cache_(cache), replay_(replay) {}
  PixelPoint Point(float x, float y) const override;
  PixelBox CircleBox(float x, float y, float radius) const override;
  PixelPoint RadialPoint(float x, float y, float radius, float angleDegrees) const override;
  PixelPoint TextCorner(float x, float y, float height, float rotationDegrees) const override;
  std::int32_t TextAngle(float rotationDegrees) const override;
  std::int32_t Length(float length) const override;

  // The turned and moved point, before mapping: (X' + InsertX, Y' + InsertY).
  struct Turned {
    long double x;
    long double y;
  };
  Turned Turn(float x, float y) const;

 private:
  const Mapping& mapping_;
  float baseX_, baseY_;
  float insertX_, insertY_, insertAngle_;
  PolarCache* cache_;
  TurnReplay::Cursor* replay_;
};

// Degrees to radians with pi in extended precision.
long double Radians(long double degrees);

}  // namespace karvex
