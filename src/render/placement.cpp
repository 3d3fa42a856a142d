#include "render/placement.h"

#include <cmath>

#include "base/x87_math.h"
#include "dxf/number_conversion.h"
#include "render/mapping.h"

namespace karvex {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;
constexpr float kHalfTurnDegrees = 180.0f;
constexpr long double kQuarterTurnDegrees = 90.0L;

}  // namespace

long double Radians(long double degrees) { return degrees / kHalfTurnDegrees * kPi; }

// --- ENTITIES section -------------------------------------------------------

OffsetPoint SectionPlacement::RadialPoint(float x, float y, float radius, float angleDegrees) const {
  long double sine, cosine;
  SinCos(Radians(angleDegrees), sine, cosine);
  return {{x + radius * cosine, y + radius * sine}, 0.0L, 0.0L};
}

DrawingPoint SectionPlacement::TextCorner(float x, float y, float height, float rotationDegrees) const {
  long double sine, cosine;
  SinCos(Radians(rotationDegrees + kQuarterTurnDegrees), sine, cosine);
  return {x + height * cosine, y + height * sine};
}

std::int32_t SectionPlacement::TextAngle(float rotationDegrees) const {
  return RoundPixel(static_cast<long double>(rotationDegrees) * 10);
}

// --- inside a block ---------------------------------------------------------

namespace {

// The point's angle about the base point (held as a float) and its distance.
PolarForm PolarFormOf(float x, float y, float baseX, float baseY) {
  const long double dx = static_cast<long double>(x) - baseX;
  const long double dy = static_cast<long double>(y) - baseY;
  return {StoreAsFloat(Atan2(dy, dx) * kHalfTurnDegrees / kPi), std::sqrt(dx * dx + dy * dy)};
}

}  // namespace

// The polar angle and the turned offsets are held as 32-bit floats; the
// distance and every sum and product stay in extended precision.
DrawingPoint BlockPlacement::Turn(float x, float y) const {
  if (const TurnedOffset* replayed = replay_ != nullptr ? replay_->Next(x, y) : nullptr) {
    return {static_cast<long double>(replayed->x) + insertX_, static_cast<long double>(replayed->y) + insertY_};
  }
  PolarCache::Entry* entry = nullptr;
  if (cache_ != nullptr) {
    entry = cache_->Find(x, y, baseX_, baseY_);
    if (entry == nullptr) entry = &cache_->Store(x, y, baseX_, baseY_, PolarFormOf(x, y, baseX_, baseY_));
  }
  TurnedOffset turned;
  if (const TurnedOffset* kept = entry != nullptr ? entry->TurnedBy(insertAngle_) : nullptr) {
    turned = *kept;
  } else {
    const PolarForm polar = entry != nullptr ? entry->Form() : PolarFormOf(x, y, baseX_, baseY_);
    long double sine, cosine;
    SinCos(Radians(static_cast<long double>(insertAngle_) + polar.angleDegrees), sine, cosine);
    turned = {StoreAsFloat(cosine * polar.distance), StoreAsFloat(sine * polar.distance)};
    if (entry != nullptr) entry->KeepTurn(insertAngle_, turned);
  }
  if (replay_ != nullptr) replay_->Keep(x, y, turned);
  return {static_cast<long double>(turned.x) + insertX_, static_cast<long double>(turned.y) + insertY_};
}

// Arc angles turn with the block: the orientation offset is the insertion
// angle, by which every other point of the block turns too. The offset from
// the centre is added after the mapping has taken its origin off the centre.
OffsetPoint BlockPlacement::RadialPoint(float x, float y, float radius, float angleDegrees) const {
  const DrawingPoint centre = Turn(x, y);
  long double sine, cosine;
  SinCos(Radians(static_cast<long double>(angleDegrees) + insertAngle_), sine, cosine);
  return {centre, cosine * radius, sine * radius};
}

// The shift by one height follows the text's own angle alone.
DrawingPoint BlockPlacement::TextCorner(float x, float y, float height, float rotationDegrees) const {
  const DrawingPoint p = Turn(x, y);
  long double sine, cosine;
  SinCos(Radians(rotationDegrees + kQuarterTurnDegrees), sine, cosine);
  return {cosine * height + p.x, sine * height + p.y};
}

std::int32_t BlockPlacement::TextAngle(float rotationDegrees) const {
  return RoundPixel((static_cast<long double>(rotationDegrees) + insertAngle_) * 10);
}

}  // namespace karvex
