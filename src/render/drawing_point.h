#pragma once
// Positions in drawing units as the drawers place them, before the mapping
// turns them into pixels: sums formed in extended precision, rounded only
// by the mapping. Measuring a drawing and drawing it share every step up to
// here.
namespace karvex {

struct DrawingPoint {
  long double x;
  long double y;
};

// A point given as a base and an offset from it, which the mapping adds
// after it has taken the origin off the base: the grouping changes the last
// bit of the sum, so it is kept as the drawer formed it.
struct OffsetPoint {
  DrawingPoint base;
  long double dx;
  long double dy;

  DrawingPoint Sum() const { return {base.x + dx, base.y + dy}; }
};

}  // namespace karvex
