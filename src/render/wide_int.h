#pragma once
// A signed 192-bit integer for the ellipse arithmetic of very large boxes:
// the outline test x²·B² + y²·A² − A²·B² needs about 130 bits when the box is
// as wide as the 32-bit coordinate range. Only what the rasterizer uses:
// sums, differences, comparisons and the product of two 64-bit magnitudes.
// Plain limbs rather than __int128, which the 32-bit Windows build lacks.
#include <cstdint>

namespace karvex {

class WideInt {
 public:
  constexpr WideInt() = default;
  constexpr WideInt(std::int64_t value)  // NOLINT: converts like a built-in integer
      : low_(static_cast<std::uint64_t>(value)),
        mid_(value < 0 ? ~std::uint64_t{0} : 0),
        high_(value < 0 ? ~std::uint64_t{0} : 0) {}

  // a · b for two unsigned 64-bit magnitudes (below 2^128).
  static WideInt Product(std::uint64_t a, std::uint64_t b) {
    WideInt result;
    MultiplyWide(a, b, result.low_, result.mid_);
    return result;
  }

  // a · b · c for three unsigned 64-bit magnitudes whose product is below
  // 2^191 (here: two factors below 2^33 and one below 2^64).
  static WideInt Product(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    std::uint64_t abLow = 0, abHigh = 0;
    MultiplyWide(a, b, abLow, abHigh);
    std::uint64_t lowLow = 0, lowHigh = 0, highLow = 0, highHigh = 0;
    MultiplyWide(abLow, c, lowLow, lowHigh);
    MultiplyWide(abHigh, c, highLow, highHigh);
    WideInt result;
    result.low_ = lowLow;
    result.mid_ = lowHigh + highLow;
    result.high_ = highHigh + (result.mid_ < lowHigh ? 1 : 0);
    return result;
  }

  WideInt& operator+=(const WideInt& other) {
    const std::uint64_t low = low_ + other.low_;
    const std::uint64_t carryLow = low < low_ ? 1 : 0;
    const std::uint64_t midSum = mid_ + other.mid_;
    const std::uint64_t carryMid = midSum < mid_ ? 1 : 0;
    const std::uint64_t mid = midSum + carryLow;
    const std::uint64_t carryMid2 = mid < midSum ? 1 : 0;
    low_ = low;
    mid_ = mid;
    high_ = high_ + other.high_ + carryMid + carryMid2;
    return *this;
  }
  WideInt& operator-=(const WideInt& other) { return *this += -other; }
  friend WideInt operator+(WideInt a, const WideInt& b) { return a += b; }
  friend WideInt operator-(WideInt a, const WideInt& b) { return a -= b; }
  WideInt operator-() const {
    WideInt result;
    result.low_ = ~low_;
    result.mid_ = ~mid_;
    result.high_ = ~high_;
    return result += WideInt(1);
  }

  friend bool operator==(const WideInt& a, const WideInt& b) {
    return a.low_ == b.low_ && a.mid_ == b.mid_ && a.high_ == b.high_;
  }
  friend bool operator<(const WideInt& a, const WideInt& b) {
    const auto aHigh = static_cast<std::int64_t>(a.high_), bHigh = static_cast<std::int64_t>(b.high_);
    if (aHigh != bHigh) return aHigh < bHigh;
    if (a.mid_ != b.mid_) return a.mid_ < b.mid_;
    return a.low_ < b.low_;
  }
  friend bool operator>(const WideInt& a, const WideInt& b) { return b < a; }
  friend bool operator<=(const WideInt& a, const WideInt& b) { return !(b < a); }
  friend bool operator>=(const WideInt& a, const WideInt& b) { return !(a < b); }

 private:
  // The full 128-bit product of two 64-bit numbers, from 32-bit halves.
  static void MultiplyWide(std::uint64_t a, std::uint64_t b, std::uint64_t& low, std::uint64_t& high) {
    const std::uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32;
    const std::uint64_t bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t highHigh = aHigh * bHigh;
    const std::uint64_t cross = (lowLow >> 32) + (lowHigh & 0xFFFFFFFFu) + (highLow & 0xFFFFFFFFu);
    low = (cross << 32) | (lowLow & 0xFFFFFFFFu);
    high = highHigh + (lowHigh >> 32) + (highLow >> 32) + (cross >> 32);
  }

  std::uint64_t low_ = 0;
  std::uint64_t mid_ = 0;
  std::uint64_t high_ = 0;
};

}  // namespace karvex
