#pragma once
// A decimal short enough to be converted exactly without the C library: the
// quick readings of a value text (a word or a vector register at a time)
// give one, and all of them share its conversion to extended precision and
// to a float.
#include <array>
#include <cstdint>
#include <cstring>

#include "dxf/powers_of_ten.h"

namespace karvex {

// A decimal of at most 18 digits: (-1 if negative) * significand /
// 10^fractionCount, fractionCount at most 16.
struct ShortDecimal {
  bool negative = false;
  std::uint64_t significand = 0;
  int fractionCount = 0;
};

namespace short_decimal {

// 10^-n for n up to 16, each correctly rounded to double precision (the
// powers themselves are exact, and the compiler divides exactly).
constexpr auto kDoubleTenthPowers = [] {
  std::array<double, 17> table{};
  double power = 1.0;
  for (double& entry : table) {
    entry = 1.0 / power;
    power *= 10.0;
  }
  return table;
}();

}  // namespace short_decimal

// The decimal's value correctly rounded to extended precision: at most 18
// digits make a significand below 10^18 < 2^63, a signed integer; it and
// the power of ten are exact in extended precision, so the one division
// rounds once, as for the digits read one by one.
inline long double ExtendedValue(const ShortDecimal& decimal) {
  const long double magnitude = static_cast<long double>(static_cast<std::int64_t>(decimal.significand)) /
                                kExactPowersOfTen[static_cast<std::size_t>(decimal.fractionCount)];
  return decimal.negative ? -magnitude : magnitude;
}

// The float the extended value rounds to (never too large, never NaN: the
// values are below 10^18, and never below a float's normal range: they are
// 0 or at least 10^-16). Where the SSE unit does double arithmetic, a
// significand below 2^53 is multiplied by 10^-n in double precision
// instead, which is much quicker than the x87 division and store. The
// product is within two units of the double's last place of the exact
// quotient (one rounding of 10^-n, one of the product), and the extended
// value within half a unit of its own, so both round to the same float
// unless the quotient lies within a few units of the double's last place
// of a point halfway between two floats. Those few are left to the
// extended division.
inline float FloatValue(const ShortDecimal& decimal) {
#if defined(__SSE2_MATH__)
  if (decimal.significand < (std::uint64_t{1} << 53)) {
    const double quotient = static_cast<double>(static_cast<std::int64_t>(decimal.significand)) *
                            short_decimal::kDoubleTenthPowers[static_cast<std::size_t>(decimal.fractionCount)];
    std::uint64_t bits;
    std::memcpy(&bits, &quotient, sizeof bits);
    // The 29 bits of the double's fraction below a float's 23; halfway
    // points have only the top one set.
    constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
    constexpr std::uint64_t kHalfway = std::uint64_t{1} << 28;
    constexpr std::uint64_t kMargin = 8;
    if ((bits & kBelowFloat) - (kHalfway - kMargin) > 2 * kMargin) {
      const float magnitude = static_cast<float>(quotient);
      return decimal.negative ? -magnitude : magnitude;
    }
  }
#endif
  return static_cast<float>(ExtendedValue(decimal));
}

}  // namespace karvex
