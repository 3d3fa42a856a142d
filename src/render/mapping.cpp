#include "render/mapping.h"

#include <cmath>

#include "base/failures.h"

namespace karvex {

namespace {

// Rounds in the current rounding mode, to nearest with halves to even (every
// export keeps it so), straight into a 64-bit integer. The caller has made
// sure the value fits.
std::int64_t RoundToInt64(long double value) {
#if defined(__i386__) || defined(__x86_64__)
  std::int64_t rounded;
  __asm__("fistpll %0" : "=m"(rounded) : "t"(value) : "st");
  return rounded;
#else
  return static_cast<std::int64_t>(std::nearbyint(value));
#endif
}

}  // namespace

std::int32_t RoundPixel(long double value) {
  if (std::isnan(value)) throw FloatingPointFailure("invalid floating-point operation");
  // Near 2^63 long double holds integers only, so a value fits 64 bits
  // after rounding exactly when it does before.
  constexpr long double kTwoTo63 = 9223372036854775808.0L;
  if (!(value >= -kTwoTo63 && value < kTwoTo63)) throw FloatingPointFailure("pixel beyond 64 bits");
  const std::int64_t wide = RoundToInt64(value);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(wide)));
}

std::int32_t Mapping::Row(long double relativeY) const {
  return WrapSub(outputHeight_, RoundPixel(relativeY * scale_));
}

PixelBox Mapping::CircleBox(long double x, long double y, float radius) const {
  const PixelPoint centre = MapExtended(x, y);
  const std::int32_t k = MapLength(radius);
  return {WrapSub(centre.x, k), WrapAdd(centre.y, k), WrapAdd(centre.x, k), WrapSub(centre.y, k)};
}

}  // namespace karvex
