#include "render/affine_placement.h"

#include <cmath>

#include "base/x87_math.h"
#include "dxf/number_conversion.h"
#include "render/mapping.h"

namespace karvex {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr long double kQuarterTurnDegrees = 90.0L;
// Factors closer than this (relative to their size) count as equal: a
// block turned by 30 degrees is still similar after rounding.
constexpr long double kSameFactor = 1e-9L;

}  // namespace

AffinePlacement AffinePlacement::Moved(long double x, long double y) const {
  const DrawingPoint at = Place(x, y);
  return {xx_, xy_, yx_, yy_, at.x, at.y};
}

AffinePlacement AffinePlacement::Turned(long double degrees) const {
  if (degrees == 0) return *this;
  long double sine, cosine;
  SinCos(Radians(degrees), sine, cosine);
  return {xx_ * cosine + xy_ * sine, xy_ * cosine - xx_ * sine, yx_ * cosine + yy_ * sine,
          yy_ * cosine - yx_ * sine, dx_,  dy_};
}

AffinePlacement AffinePlacement::Scaled(long double x, long double y) const {
  return {xx_ * x, xy_ * y, yx_ * x, yy_ * y, dx_, dy_};
}

OffsetPoint AffinePlacement::RadialPoint(float x, float y, float radius, float angleDegrees) const {
  long double sine, cosine;
  SinCos(Radians(angleDegrees), sine, cosine);
  const DrawingPoint offset = Offset(cosine * radius, sine * radius);
  return {Place(x, y), offset.x, offset.y};
}

DrawingPoint AffinePlacement::TextCorner(float x, float y, float height, float rotationDegrees) const {
  long double sine, cosine;
  SinCos(Radians(rotationDegrees + kQuarterTurnDegrees), sine, cosine);
  const DrawingPoint anchor = Place(x, y);
  const DrawingPoint up = Offset(cosine * height, sine * height);
  return {anchor.x + up.x, anchor.y + up.y};
}

std::int32_t AffinePlacement::TextAngle(float rotationDegrees) const {
  long double sine, cosine;
  SinCos(Radians(rotationDegrees + kQuarterTurnDegrees), sine, cosine);
  const DrawingPoint up = Offset(cosine, sine);
  long double degrees = Atan2(up.y, up.x) * 180.0L / kPi - kQuarterTurnDegrees;
  if (!std::isfinite(degrees)) return 0;
  while (degrees < 0) degrees += 360.0L;
  std::int32_t tenths = RoundPixel(degrees * 10);
  if (tenths >= 3600) tenths -= 3600;
  return tenths;
}

float AffinePlacement::TextHeight(float height, float rotationDegrees) const {
  long double sine, cosine;
  SinCos(Radians(rotationDegrees + kQuarterTurnDegrees), sine, cosine);
  const DrawingPoint up = Offset(cosine * height, sine * height);
  // Too large for a float raises the failure that ends the block.
  return StoreAsFloat(std::hypot(up.x, up.y));
}

bool AffinePlacement::Similar() const {
  const long double across = xx_ * xy_ + yx_ * yy_;
  const long double first = xx_ * xx_ + yx_ * yx_;
  const long double second = xy_ * xy_ + yy_ * yy_;
  const long double size = first > second ? first : second;
  return std::fabs(across) <= kSameFactor * size && std::fabs(first - second) <= kSameFactor * size;
}

long double AffinePlacement::LengthFactor() const { return std::sqrt(std::fabs(xx_ * yy_ - xy_ * yx_)); }

// The largest singular value of the linear part.
long double AffinePlacement::MostStretch() const {
  const long double a = xx_ * xx_ + yx_ * yx_;
  const long double b = xx_ * xy_ + yx_ * yy_;
  const long double c = xy_ * xy_ + yy_ * yy_;
  const long double half = (a + c) / 2;
  const long double spread = std::sqrt((a - c) * (a - c) / 4 + b * b);
  return std::sqrt(half + spread);
}

bool AffinePlacement::Finite() const {
  return std::isfinite(xx_) && std::isfinite(xy_) && std::isfinite(yx_) && std::isfinite(yy_) &&
         std::isfinite(dx_) && std::isfinite(dy_);
}

}  // namespace karvex
