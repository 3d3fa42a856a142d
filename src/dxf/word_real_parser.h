#pragma once
// The commonest value texts, a sign, a few integer digits, a point and up
// to sixteen fraction digits ("-1.454836157207853", "1000.1982022233"),
// read eight bytes at a time with no loop over the digits. It reads ahead
// of the value's end, so the caller says how far the surrounding text may
// be read.
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "base/bit_scan.h"
#include "dxf/short_decimal.h"

namespace karvex {

namespace word_real {

static_assert(std::endian::native == std::endian::little, "the first byte of a word is its lowest");

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
constexpr std::uint64_t kZeros = kOnes * '0';

constexpr std::uint64_t kIntegerPowersOfTen[17] = {1,
                                                   10,
                                                   100,
                                                   1000,
                                                   10000,
                                                   100000,
                                                   1000000,
                                                   10000000,
                                                   100000000,
                                                   1000000000,
                                                   10000000000,
                                                   100000000000,
                                                   1000000000000,
                                                   10000000000000,
                                                   100000000000000,
                                                   1000000000000000,
                                                   10000000000000000};

inline std::uint64_t Load(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Shifts by 8 * count bits for count 0 to 8; a shift by the whole width in
// one step would be undefined, so it is done in two halves.
inline std::uint64_t ShiftUpBytes(std::uint64_t word, int count) { return (word << (4 * count)) << (4 * count); }
inline std::uint64_t ShiftDownBytes(std::uint64_t word, int count) { return (word >> (4 * count)) >> (4 * count); }

// All bits of the low count bytes (count 0 to 8).
inline std::uint64_t LowBytes(int count) { return ~ShiftUpBytes(~std::uint64_t{0}, count); }

// The high bit of each byte that is not a decimal digit. Adding to the low
// seven bits of a byte never carries into the next one.
inline std::uint64_t NonDigitFlags(std::uint64_t word) {
  const std::uint64_t low7 = word & ~kHighBits;
  const std::uint64_t atLeastZero = low7 + kOnes * (0x80 - '0');
  const std::uint64_t aboveNine = low7 + kOnes * (0x80 - '9' - 1);
  return ~(atLeastZero & ~aboveNine & ~word) & kHighBits;
}

// Eight digit bytes, the first the most significant, as a number.
[[gnu::always_inline]] inline std::uint64_t EightDigits(std::uint64_t word) {
  std::uint64_t digits = word - kZeros;
  digits = (digits * 10 + (digits >> 8)) & 0x00FF00FF00FF00FFull;
  digits = (digits * 100 + (digits >> 16)) & 0x0000FFFF0000FFFFull;
  return (digits * 10000 + (digits >> 32)) & 0x00000000FFFFFFFFull;
}

// The number the first count digit bytes of word (0 to 8) make: they are
// moved to the top of the word with '0's in front of them.
[[gnu::always_inline]] inline std::uint64_t LeadingDigits(std::uint64_t word, int count) {
  return EightDigits(ShiftUpBytes(word, 8 - count) | ShiftDownBytes(kZeros, count));
}

}  // namespace word_real

// Reads text when it has exactly that form: an optional sign, up to 7
// integer digits, a point and up to 16 fraction digits, 18 digits at most
// (either part may be empty, not both, and the point may be left out with
// the fraction), and nothing else. Bytes from text's start up to
// readableEnd may be read. Gives false for anything else, which the
// byte-wise reading then takes.
inline bool ReadWordDecimal(std::string_view text, const char* readableEnd, ShortDecimal& decimal) {
  const char* p = text.data();
  const char* const end = p + text.size();
  if (p == end) return false;
  decimal.negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // The integer part: up to 7 digits in one word, then the end or a point.
  if (readableEnd - p < 8) return false;
  const std::uint64_t integerWord = word_real::Load(p);
  const std::uint64_t integerStops = word_real::NonDigitFlags(integerWord);
  if (integerStops == 0) return false;
  const int integerCount = LowestSetBit(integerStops) / 8;
  if (integerCount > end - p) return false;  // digits of the next line
  p += integerCount;
  const std::uint64_t integer = word_real::LeadingDigits(integerWord, integerCount);
  // The fraction: the rest of the text, digits only, read as two words.
  int fractionCount = 0;
  std::uint64_t fraction = 0;
  if (p != end) {
    if (*p != '.') return false;
    ++p;
    fractionCount = static_cast<int>(end - p);
    if (fractionCount > 16 || integerCount + fractionCount > 18 || readableEnd - p < 16) return false;
    const int firstCount = fractionCount < 8 ? fractionCount : 8;
    const int secondCount = fractionCount - firstCount;
    const std::uint64_t firstWord = word_real::Load(p);
    const std::uint64_t secondWord = word_real::Load(p + 8);
    const std::uint64_t stops = (word_real::NonDigitFlags(firstWord) & word_real::LowBytes(firstCount)) |
                                (word_real::NonDigitFlags(secondWord) & word_real::LowBytes(secondCount));
    if (stops != 0) return false;
    fraction = word_real::LeadingDigits(firstWord, firstCount) * word_real::kIntegerPowersOfTen[secondCount] +
               word_real::LeadingDigits(secondWord, secondCount);
  }
  if (integerCount + fractionCount == 0) return false;
  decimal.significand = integer * word_real::kIntegerPowersOfTen[fractionCount] + fraction;
  decimal.fractionCount = fractionCount;
  return true;
}

}  // namespace karvex
