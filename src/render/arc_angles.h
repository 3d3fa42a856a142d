#pragma once
// Angles for choosing the part of an outline an arc covers, compared
// exactly: directions are integer vectors (y up), never floating-point
// angles.
#include <cstdint>

#include "render/wide_int.h"

namespace karvex {

// A direction from the box centre, counter-clockwise from the positive x
// axis; `full` stands for the angle 2π, which the outline gives the points
// that close it just below the rightmost point.
struct Direction {
  std::int64_t dx = 1;
  std::int64_t dy = 0;
  bool full = false;
};

// The direction of a ray through a point; the centre itself counts as 0.
inline Direction RayDirection(std::int64_t dx, std::int64_t dy) {
  if (dx == 0 && dy == 0) return {1, 0, false};
  return {dx, dy, false};
}

// Sign of angle(a) − angle(b), angles taken in [0, 2π].
inline int CompareDirections(const Direction& a, const Direction& b) {
  if (a.full || b.full) return (a.full ? 1 : 0) - (b.full ? 1 : 0);
  // Half 0 holds the angles in [0, π), half 1 those in [π, 2π).
  auto half = [](const Direction& d) { return d.dy > 0 || (d.dy == 0 && d.dx > 0) ? 0 : 1; };
  if (half(a) != half(b)) return half(a) - half(b);
  constexpr std::int64_t kSmall = std::int64_t{1} << 31;
  auto small = [&](std::int64_t v) { return v > -kSmall && v < kSmall; };
  if (small(a.dx) && small(a.dy) && small(b.dx) && small(b.dy)) {
    const std::int64_t cross = a.dx * b.dy - a.dy * b.dx;
    return cross > 0 ? -1 : cross < 0 ? 1 : 0;
  }
  auto product = [](std::int64_t u, std::int64_t v) {
    const WideInt magnitude =
        WideInt::Product(static_cast<std::uint64_t>(u < 0 ? -u : u), static_cast<std::uint64_t>(v < 0 ? -v : v));
    return (u < 0) != (v < 0) ? -magnitude : magnitude;
  };
  const WideInt cross = product(a.dx, b.dy) - product(a.dy, b.dx);
  if (cross > WideInt(0)) return -1;
  if (cross < WideInt(0)) return 1;
  return 0;
}

// Whether an outline point at `point` lies at or beyond the ray `ray`
// counter-clockwise from angle 0: at or beyond for rays in the upper half
// (angles 0 to π), strictly beyond for rays below it.
inline bool ReachesRay(const Direction& point, const Direction& ray) {
  const int order = CompareDirections(point, ray);
  return ray.dy >= 0 ? order >= 0 : order > 0;
}

}  // namespace karvex
