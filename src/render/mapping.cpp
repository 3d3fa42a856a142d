#include "render/mapping.h"

#include <cmath>

#include "base/failures.h"

namespace karvex {

void ThrowPixelFailure(long double value) {
  if (std::isnan(value)) throw FloatingPointFailure("invalid floating-point operation");
  throw FloatingPointFailure("pixel beyond 64 bits");
}

PixelBox Mapping::CircleBox(long double x, long double y, float radius) const {
  const PixelPoint centre = MapExtended(x, y);
  const std::int32_t k = MapLength(radius);
  return {WrapSub(centre.x, k), WrapAdd(centre.y, k), WrapAdd(centre.x, k), WrapSub(centre.y, k)};
}

}  // namespace karvex
