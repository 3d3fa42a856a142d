#include "render/placement.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "render/polar_cache.h"

namespace karvex {
namespace {

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

using Points = std::vector<std::pair<float, float>>;

// count block points spread over a 1000-unit square about the origin.
Points RandomBlockPoints(unsigned seed, std::size_t count) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> coordinate(-500, 500);
  Points points(count);
  for (auto& [x, y] : points) x = coordinate(random), y = coordinate(random);
  return points;
}

// The cache only saves work: a block's points turned through it, insertion
// after insertion and at changing angles, must come out bit for bit as
// computed afresh. More points than the cache has slots, so entries are
// also replaced.
TEST(BlockPlacement, CachedTurnsEqualFreshOnesWhateverTheAngleOrder) {
  const Points blockPoints = RandomBlockPoints(20261210, 6000);
  const float insertAngles[] = {0.0f, 0.0f, 30.0f, 0.0f, -0.0f, 30.0f, 1e-7f, 270.0f, 30.0f};

  PolarCache cache;
  for (const float angle : insertAngles) {
    const BlockPlacement cached(12.5f, -3.0f, 400.0f, 250.0f, angle, &cache);
    const BlockPlacement fresh(12.5f, -3.0f, 400.0f, 250.0f, angle);
    for (const auto& [x, y] : blockPoints) {
      const DrawingPoint a = cached.Turn(x, y);
      const DrawingPoint b = fresh.Turn(x, y);
      ASSERT_TRUE(SameBits(a.x, b.x) && SameBits(a.y, b.y)) << "angle " << angle << " point " << x << "," << y;
    }
  }
}

// Insertions made the same way read their turns back from a record: the
// record is cut short (a block that failed halfway), read on past its end,
// departed from (other points at the same place and angle), and read
// again; every turn still equals the one computed afresh.
TEST(BlockPlacement, ReplayedTurnsEqualFreshOnesEvenWhereTheRecordIsLeft) {
  const Points points = RandomBlockPoints(5, 300);
  Points departing = points;
  for (std::size_t i = 100; i < departing.size(); ++i) departing[i].first += 1.0f;

  struct Insertion {
    float angle;
    const Points* points;
    std::size_t count;
  };
  const Insertion insertions[] = {
      {90.0f, &points, 50},  {90.0f, &points, 300}, {90.0f, &departing, 300}, {90.0f, &points, 300},
      {45.0f, &points, 300}, {90.0f, &points, 300}, {45.0f, &departing, 300},
  };
  PolarCache cache;
  TurnReplay replay;
  for (const Insertion& insertion : insertions) {
    TurnReplay::Cursor cursor = replay.Start(7, 12.5f, -3.0f, insertion.angle);
    const BlockPlacement replayed(12.5f, -3.0f, 400.0f, 250.0f, insertion.angle, &cache, &cursor);
    const BlockPlacement fresh(12.5f, -3.0f, 400.0f, 250.0f, insertion.angle);
    for (std::size_t i = 0; i < insertion.count; ++i) {
      const auto [x, y] = (*insertion.points)[i];
      const DrawingPoint a = replayed.Turn(x, y);
      const DrawingPoint b = fresh.Turn(x, y);
      ASSERT_TRUE(SameBits(a.x, b.x) && SameBits(a.y, b.y)) << "angle " << insertion.angle << " point " << i;
    }
  }
}

}  // namespace
}  // namespace karvex
