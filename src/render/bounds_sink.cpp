#include "render/bounds_sink.h"

#include <cmath>

#include "base/x87_math.h"

namespace karvex {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

bool IsCp932LeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The angle of the ray from centre through point, in [0, 2π).
long double RayAngle(const DrawingPoint& centre, const DrawingPoint& point) {
  long double angle = Atan2(point.y - centre.y, point.x - centre.x);
  if (angle < 0) angle += 2 * kPi;
  return angle;
}

}  // namespace

long double TextWidthInHeights(std::string_view text) {
  long double width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      width += 1;
      ++i;
    } else {
      width += 0.5L;
    }
  }
  return width;
}

void BoundsSink::Circle(const DrawingPoint& centre, float radius) {
  if (!visible_) return;
  const long double r = std::fabs(static_cast<long double>(radius));
  box_.Include(centre.x - r, centre.y - r);
  box_.Include(centre.x + r, centre.y + r);
}

// The arc runs counter-clockwise from the ray through its start point to the
// ray through its end point (the whole circle when the two coincide); its
// box holds both end points and every quarter point it passes.
void BoundsSink::Arc(const DrawingPoint& centre, float radius, const OffsetPoint& start, const OffsetPoint& end) {
  if (!visible_) return;
  const DrawingPoint from = start.Sum();
  const DrawingPoint to = end.Sum();
  const long double r = std::fabs(static_cast<long double>(radius));
  if (from.x == to.x && from.y == to.y) {
    Circle(centre, radius);
    return;
  }
  Include(from);
  Include(to);
  const long double begin = RayAngle(centre, from);
  long double sweep = RayAngle(centre, to) - begin;
  if (sweep <= 0) sweep += 2 * kPi;
  const DrawingPoint quarters[4] = {
      {centre.x + r, centre.y}, {centre.x, centre.y + r}, {centre.x - r, centre.y}, {centre.x, centre.y - r}};
  for (int quarter = 0; quarter < 4; ++quarter) {
    long double at = quarter * kPi / 2 - begin;
    if (at < 0) at += 2 * kPi;
    if (at <= sweep) Include(quarters[quarter]);
  }
}

void BoundsSink::Point(const DrawingPoint& point) {
  if (visible_) Include(point);
}

// The cell runs from its top-left corner along the escapement and down
// from it by the height.
void BoundsSink::Text(const DrawingPoint& corner, float height, std::int32_t angle, std::string_view text) {
  if (!visible_ || text.empty()) return;
  const long double h = std::fabs(static_cast<long double>(height));
  const long double w = TextWidthInHeights(text) * h;
  long double sine, cosine;
  SinCos(angle / 10.0L / 180.0L * kPi, sine, cosine);
  const DrawingPoint along{cosine * w, sine * w};
  const DrawingPoint down{sine * h, -cosine * h};
  Include(corner);
  box_.Include(corner.x + along.x, corner.y + along.y);
  box_.Include(corner.x + down.x, corner.y + down.y);
  box_.Include(corner.x + along.x + down.x, corner.y + along.y + down.y);
}

}  // namespace karvex
