// The jumps into an ellipse walk land exactly where following the walk step
// by step arrives, for every shape class: round, narrow, flat, tiny, huge.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "render/ellipse_walk.h"
#include "render/wide_int.h"

namespace karvex {
namespace {

// Conditions of the kinds the rasterizer searches for: past a point of the
// walk, and inside a window's corner.
struct Probe {
  std::int64_t key;
  std::int64_t xHigh;
  std::int64_t yLow;
};

std::vector<Probe> ProbesFor(std::int64_t a, std::int64_t b, std::mt19937_64& random) {
  std::vector<Probe> probes;
  std::uniform_int_distribution<std::int64_t> anyX(-2, a + 2), anyY(-2, b + 2);
  for (int i = 0; i < 6; ++i) probes.push_back({anyY(random) - anyX(random), a + 2, -1});
  for (int i = 0; i < 6; ++i) probes.push_back({-a - 1, anyX(random), anyY(random)});
  return probes;
}

template <class Int>
void ExpectSameSearches(std::int64_t a, std::int64_t b, std::mt19937_64& random) {
  const QuadrantWalk<Int> walk(a, b);
  const WalkLocator<Int> jumping(walk, 0);
  const WalkLocator<Int> following(walk, INT64_MAX);
  QuadrantWalk<Int> jumpCursor = walk, followCursor = walk;
  for (const Probe& probe : ProbesFor(a, b, random)) {
    auto holds = [&](WalkPoint p) { return p.Key() >= probe.key && p.x <= probe.xHigh && p.y >= probe.yLow; };
    const WalkSearch jumped = jumping.FindFirst(holds, jumpCursor);
    const WalkSearch followed = following.FindFirst(holds, followCursor);
    ASSERT_EQ(jumped.found, followed.found) << "A " << a << " B " << b << " key " << probe.key;
    ASSERT_EQ(jumped.point, followed.point) << "A " << a << " B " << b << " key " << probe.key;
    ASSERT_EQ(jumped.hasPrevious, followed.hasPrevious) << "A " << a << " B " << b;
    if (jumped.hasPrevious) ASSERT_EQ(jumped.previous, followed.previous) << "A " << a << " B " << b;
    // Stepping on from the landing point continues the same walk.
    for (int step = 0; step < 3; ++step) {
      const WalkMove move = jumpCursor.NextMove();
      ASSERT_EQ(move, followCursor.NextMove()) << "A " << a << " B " << b;
      if (move == WalkMove::End) break;
      jumpCursor.Step(move);
      followCursor.Step(move);
    }
  }
}

TEST(EllipseWalk, JumpsAgreeWithFollowingForEverySmallShape) {
  std::mt19937_64 random(7);
  for (std::int64_t a = 0; a <= 130; ++a) {
    for (std::int64_t b = 0; b <= 130; ++b) ExpectSameSearches<std::int64_t>(a, b, random);
  }
}

TEST(EllipseWalk, JumpsAgreeWithFollowingForLargeRoundNarrowAndFlatShapes) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<std::int64_t> large(1000, 40000), thin(1, 40);
  for (int i = 0; i < 5; ++i) {
    const std::int64_t a = large(random);
    ExpectSameSearches<WideInt>(a, a, random);                  // circle
    ExpectSameSearches<WideInt>(a, large(random), random);      // ellipse
    ExpectSameSearches<WideInt>(thin(random), a, random);       // narrow
    ExpectSameSearches<WideInt>(a, thin(random), random);       // flat
  }
}

// Boxes as wide as the coordinate range: too long to follow, so each jump
// is checked on its own terms — it lands where the condition first holds,
// one move after a point where it does not.
TEST(EllipseWalk, JumpsIntoHugeWalksLandOnTheWalk) {
  std::mt19937_64 random(13);
  const std::int64_t huge = (std::int64_t{1} << 32) - 2;
  for (const auto& [a, b] : std::vector<std::pair<std::int64_t, std::int64_t>>{
           {huge, huge}, {huge, 5}, {6, huge}, {huge, 123456789}, {2000000001, 2000000001}}) {
    const QuadrantWalk<WideInt> walk(a, b);
    const WalkLocator<WideInt> locator(walk);
    QuadrantWalk<WideInt> cursor = walk;
    for (const Probe& probe : ProbesFor(a, b, random)) {
      auto holds = [&](WalkPoint p) { return p.Key() >= probe.key && p.x <= probe.xHigh && p.y >= probe.yLow; };
      const WalkSearch search = locator.FindFirst(holds, cursor);
      if (!search.found) {
        EXPECT_EQ(cursor.NextMove(), WalkMove::End);
        continue;
      }
      EXPECT_TRUE(holds(search.point));
      if (!search.hasPrevious) {
        EXPECT_EQ(search.point, walk.Beginning());
        continue;
      }
      EXPECT_FALSE(holds(search.previous));
      cursor.MoveTo(search.previous);
      cursor.Step(cursor.NextMove());
      EXPECT_EQ(cursor.Point(), search.point) << a << " " << b;
    }
  }
}

TEST(EllipseWalk, WideAndNarrowArithmeticTraceTheSameWalk) {
  for (const auto& [a, b] : std::vector<std::pair<std::int64_t, std::int64_t>>{
           {3, 3}, {20, 7}, {7, 20}, {1001, 1001}, {32766, 32766}, {32766, 5}, {4, 32765}}) {
    QuadrantWalk<std::int64_t> narrow(a, b);
    QuadrantWalk<WideInt> wide(a, b);
    for (;;) {
      ASSERT_EQ(narrow.Point(), wide.Point()) << a << " " << b;
      const WalkMove move = narrow.NextMove();
      ASSERT_EQ(move, wide.NextMove()) << a << " " << b;
      if (move == WalkMove::End) break;
      narrow.Step(move);
      wide.Step(move);
    }
  }
}

TEST(WideInt, ProductsSumsAndComparisonsNearTheLimits) {
  const std::uint64_t big = UINT64_MAX;
  const std::uint64_t twoTo32 = std::uint64_t{1} << 32;
  const WideInt square = WideInt::Product(big, big);  // 2^128 − 2^65 + 1
  EXPECT_TRUE(square > WideInt::Product(big, big - 1));
  EXPECT_EQ(square - WideInt::Product(big, big - 1), WideInt::Product(big, 1));
  EXPECT_EQ(WideInt::Product(twoTo32, twoTo32, big), WideInt::Product(big, twoTo32, twoTo32));
  EXPECT_EQ(WideInt::Product(3, 5, 7), WideInt(105));
  EXPECT_TRUE(-square < WideInt(0));
  EXPECT_EQ(-square + square, WideInt(0));
  EXPECT_EQ(WideInt(-5) + WideInt(3), WideInt(-2));
  EXPECT_TRUE(WideInt(INT64_MIN) < WideInt(INT64_MAX));
  EXPECT_TRUE(WideInt(INT64_MIN) - WideInt(1) < WideInt(INT64_MIN));
}

}  // namespace
}  // namespace karvex
