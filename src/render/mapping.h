#pragma once
// The one rule that turns drawing coordinates (y up) into pixels (row 0 at
// the top): subtract the origin, multiply by the scale in extended
// precision, round once to nearest with halves to even.
#include <cmath>
#include <cstdint>

#include "dxf/drawing_extents.h"
#include "render/drawing_point.h"

namespace karvex {

struct PixelPoint {
  std::int32_t x;
  std::int32_t y;
  bool operator==(const PixelPoint&) const = default;
};

// Left, top, right, bottom as the drawers pass them (bottom edge may come
// first: corners in any order).
struct PixelBox {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
  bool operator==(const PixelBox&) const = default;
};

// 32-bit wrap-around sum and difference of pixel coordinates, as the
// platform's 32-bit arithmetic gives them.
constexpr std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// Raises the FloatingPointFailure of a value RoundPixel cannot round.
[[noreturn]] void ThrowPixelFailure(long double value);

// Rounding R: to nearest, an exact half to the even neighbour, formed as a
// 64-bit integer of which the low 32 bits are the pixel. NaN or a value
// beyond 64 bits raises FloatingPointFailure. Every point of a picture
// passes here, so it is inline: the value stays in the x87 unit.
inline std::int32_t RoundPixel(long double value) {
  // Near 2^63 long double holds integers only, so a value fits 64 bits
  // after rounding exactly when it does before; NaN fails the test too.
  constexpr long double kTwoTo63 = 9223372036854775808.0L;
  if (!(value >= -kTwoTo63 && value < kTwoTo63)) ThrowPixelFailure(value);
  // Rounds in the current rounding mode, to nearest with halves to even
  // (every export keeps it so), straight into a 64-bit integer.
  std::int64_t wide;
#if defined(__i386__) || defined(__x86_64__)
  __asm__("fistpll %0" : "=m"(wide) : "t"(value) : "st");
#else
  wide = static_cast<std::int64_t>(std::nearbyint(value));
#endif
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

// Drawing units to pixels: column R((x − originX) × scale) + column0 and
// row row0 − R((y − originY) × scale). Mode 1 takes the HEADER's minimum as
// the origin, with column 0 and row OutputHeight as its pixel; the other
// alignment modes choose their own, the origin always exactly a point they
// place on a whole pixel, so that no rounding of the origin can move it.
class Mapping {
 public:
  Mapping(long double originX, long double originY, long double scale, std::int32_t column0, std::int32_t row0)
      : originX_(originX), originY_(originY), scale_(static_cast<double>(scale)), column0_(column0), row0_(row0) {}
  // The HEADER's rectangle at the bottom-left corner, at its DrawScale.
  Mapping(const DrawingExtents& extents, std::int32_t outputHeight)
      : Mapping(extents.ExtMinX, extents.ExtMinY, extents.DrawScale, 0, outputHeight) {}

  PixelPoint MapPoint(float x, float y) const { return MapExtended(x, y); }
  // A point whose coordinates are sums formed in extended precision (offset
  // points, turned block points): still one rounding per coordinate.
  PixelPoint MapExtended(long double x, long double y) const {
    return {Column(x - originX_), Row(y - originY_)};
  }
  PixelPoint Map(const DrawingPoint& p) const { return MapExtended(p.x, p.y); }
  PixelPoint Map(const OffsetPoint& p) const {
    return {Column(p.dx + (p.base.x - originX_)), Row(p.dy + (p.base.y - originY_))};
  }
  std::int32_t MapLength(float length) const { return RoundPixel(static_cast<long double>(length) * scale_); }
  // The box of a circle: centre and radius rounded apart, so always 2k wide.
  PixelBox CircleBox(long double x, long double y, float radius) const;
  PixelBox CircleBox(const DrawingPoint& centre, float radius) const { return CircleBox(centre.x, centre.y, radius); }

  // Pixel column and row of a position already taken relative to the
  // origin.
  std::int32_t Column(long double relativeX) const { return WrapAdd(column0_, RoundPixel(relativeX * scale_)); }
  std::int32_t Row(long double relativeY) const { return WrapSub(row0_, RoundPixel(relativeY * scale_)); }

  long double OriginX() const { return originX_; }
  long double OriginY() const { return originY_; }
  // Pixels per drawing unit.
  long double Scale() const { return scale_; }
  // Where the origin lands.
  std::int32_t OriginColumn() const { return column0_; }
  std::int32_t OriginRow() const { return row0_; }

 private:
  long double originX_;
  long double originY_;
  // Double precision holds the HEADER's float scale exactly and is loaded
  // faster; the products are extended all the same.
  double scale_;
  std::int32_t column0_;
  std::int32_t row0_;
};

}  // namespace karvex
