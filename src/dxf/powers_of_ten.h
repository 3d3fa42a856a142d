#pragma once
// Powers of ten that long double holds exactly, for the real conversions:
// 10^27 = 2^27 * 5^27 and 5^27 still fits the 64-bit significand.
#include <array>
#include <cstddef>

namespace karvex {

constexpr int kMaxExactPowerOfTen = 27;

constexpr auto kExactPowersOfTen = [] {
  std::array<long double, kMaxExactPowerOfTen + 1> table{};
  long double power = 1.0L;
  for (long double& entry : table) {
    entry = power;
    power *= 10.0L;
  }
  return table;
}();

}  // namespace karvex
