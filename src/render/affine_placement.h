#pragma once
// Points of a block replayed with everything its INSERT says: the scale
// factors (a negative one mirrors), the turn, the cell of a rows-and-columns
// array, and the block's base point; and of a block inserted inside another
// block, whose placement is its parent's followed by its own. All of it is
// one matrix held in extended precision, so placements compose exactly as
// far as the precision goes, however deep the blocks are nested.
#include <cstdint>
#include <type_traits>

#include "render/drawing_point.h"
#include "render/placement.h"

namespace karvex {

class AffinePlacement final : public Placement {
 public:
  // Points as they stand (the ENTITIES section).
  AffinePlacement() = default;

  // This placement applied after a move by (x, y), a turn or a scaling: the
  // result places a point of the inner frame.
  AffinePlacement Moved(long double x, long double y) const;
  AffinePlacement Turned(long double degrees) const;
  AffinePlacement Scaled(long double x, long double y) const;

  DrawingPoint Point(float x, float y) const override { return Place(x, y); }
  // The radius vector is placed like any other offset: on a similar
  // placement the point lies on the placed circle.
  OffsetPoint RadialPoint(float x, float y, float radius, float angleDegrees) const override;
  // The cell's corner lies one placed height from the placed anchor, along
  // the placed upward direction of the text.
  DrawingPoint TextCorner(float x, float y, float height, float rotationDegrees) const override;
  // The direction of the text's placed upward side, less a quarter turn,
  // in [0, 3600): a mirrored text is drawn readable, starting at its anchor.
  std::int32_t TextAngle(float rotationDegrees) const override;
  // The height of a text as placed.
  float TextHeight(float height, float rotationDegrees) const;

  DrawingPoint Place(long double x, long double y) const {
    return {xx_ * x + xy_ * y + dx_, yx_ * x + yy_ * y + dy_};
  }
  // An offset placed without the move.
  DrawingPoint Offset(long double x, long double y) const { return {xx_ * x + xy_ * y, yx_ * x + yy_ * y}; }

  // True when circles stay circles: the placement turns, moves, mirrors
  // and scales alike in every direction.
  bool Similar() const;
  // True when the placement mirrors: a counter-clockwise arc is placed
  // clockwise.
  bool Mirrored() const { return xx_ * yy_ - xy_ * yx_ < 0; }
  // How much a length grows, for a similar placement.
  long double LengthFactor() const;
  // The most any length grows in some direction.
  long double MostStretch() const;
  // False when a factor is infinite or not a number: nothing can be placed.
  bool Finite() const;

 private:
  AffinePlacement(long double xx, long double xy, long double yx, long double yy, long double dx, long double dy)
      : xx_(xx), xy_(xy), yx_(yx), yy_(yy), dx_(dx), dy_(dy) {}
  // x' = xx x + xy y + dx, y' = yx x + yy y + dy.
  long double xx_ = 1, xy_ = 0, yx_ = 0, yy_ = 1, dx_ = 0, dy_ = 0;
};

// A block placed with its INSERT's scale draws its texts, circles and arcs
// scaled too; the other placements never scale them.
template <class Place>
constexpr bool kScales = std::is_same_v<Place, AffinePlacement>;

}  // namespace karvex
