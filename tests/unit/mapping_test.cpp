#include "render/mapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/failures.h"

namespace karvex {
namespace {

TEST(RoundPixel, NearestWithHalvesToEvenNeverTruncating) {
  const std::pair<long double, std::int32_t> cases[] = {
      {2.5L, 2}, {3.5L, 4}, {-0.5L, 0}, {-1.5L, -2}, {0.49999L, 0}, {0.50001L, 1}, {-2.6L, -3}, {7.5L, 8},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(RoundPixel(value), expected) << value;
}

TEST(RoundPixel, KeepsTheLow32BitsOfA64BitResult) {
  EXPECT_EQ(RoundPixel(4294967296.0L + 5), 5);
  EXPECT_EQ(RoundPixel(2147483648.0L), INT32_MIN);
  EXPECT_EQ(RoundPixel(-9223372036854775808.0L), 0);
}

TEST(RoundPixel, NanAndValuesBeyond64BitsAreFailures) {
  EXPECT_THROW(RoundPixel(std::numeric_limits<long double>::quiet_NaN()), FloatingPointFailure);
  EXPECT_THROW(RoundPixel(std::numeric_limits<long double>::infinity()), FloatingPointFailure);
  EXPECT_THROW(RoundPixel(9223372036854775808.0L), FloatingPointFailure);
  EXPECT_THROW(RoundPixel(-1e30L), FloatingPointFailure);
}

TEST(Mapping, TheRectangleMinimumLandsOneRowBelowThePicture) {
  const Mapping mapping(DrawingExtents{-10, -5, 500, 300, 1.25f}, 453);
  EXPECT_EQ(mapping.MapPoint(-10, -5), (PixelPoint{0, 453}));
  EXPECT_EQ(mapping.MapPoint(502, 357.4f), (PixelPoint{640, 0}));
}

TEST(Mapping, HalvesGoToTheEvenColumn) {
  const Mapping mapping(DrawingExtents{0, 0, 100, 100, 5}, 480);
  EXPECT_EQ(mapping.MapPoint(0.5f, 0).x, 2);  // 2.5 goes to 2
  EXPECT_EQ(mapping.MapPoint(1.5f, 0).x, 8);  // 7.5 goes to 8
  EXPECT_EQ(mapping.MapPoint(0, 0.5f).y, 478);
}

TEST(Mapping, ArithmeticRunsInExtendedPrecisionFromFloatOperands) {
  // 0.1f is 0.100000001490...: 5 * 0.1f is 0.5000000075 in extended
  // precision and rounds up, while a float product would be exactly 0.5 and
  // go to 0.
  const Mapping mapping(DrawingExtents{0, 0, 0, 0, 0.1f}, 100);
  EXPECT_EQ(mapping.MapPoint(5.0f, 0).x, 1);
  EXPECT_EQ(mapping.MapLength(-25.0f), -3);  // the sign is kept
}

TEST(Mapping, CircleBoxRoundsCentreAndRadiusApart) {
  // Centre column 10, radius 2.5 pixels -> k = 2: columns 8 to 12.
  const Mapping mapping(DrawingExtents{0, 0, 0, 0, 1}, 100);
  EXPECT_EQ(mapping.CircleBox(10, 50, 2.5f), (PixelBox{8, 52, 12, 48}));
}

TEST(Mapping, WrapsLikeThe32BitPlatformInsteadOfOverflowing) {
  const Mapping mapping(DrawingExtents{0, 0, 0, 0, 1}, 453);
  const PixelBox box = mapping.CircleBox(2147483647.0f, 0, 1e9f);
  EXPECT_EQ(box.right, WrapAdd(RoundPixel(2147483648.0L), 1000000000));
}

}  // namespace
}  // namespace karvex
