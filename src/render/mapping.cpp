#include "render/mapping.h"

#include <cmath>

#include "base/failures.h"

namespace karvex {

std::int32_t RoundPixel(long double value) {
  if (std::isnan(value)) throw FloatingPointFailure("invalid floating-point operation");
  // The default rounding mode (kept by every export) rounds halves to even.
  const long double rounded = std::nearbyint(value);
  constexpr long double kTwoTo63 = 9223372036854775808.0L;
  if (!(rounded >= -kTwoTo63 && rounded < kTwoTo63)) throw FloatingPointFailure("pixel beyond 64 bits");
  const auto wide = static_cast<std::int64_t>(rounded);
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
