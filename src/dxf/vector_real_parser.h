#pragma once
// The usual value texts of up to 16 bytes ("1000.1982022233", "-3.5"),
// read as one 16-byte vector that ends where the value ends: all lanes are
// checked and their digits summed at once, with no loop and no branch on
// where the point lies. It reads before the value's start, so the caller
// says from where the surrounding text may be read.
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dxf/short_decimal.h"

namespace karvex {

#if defined(__SSE2__)
namespace vector_real {

// 16 bytes of 0 then 16 of 0xFF: the 16 bytes at kZerosThenOnes + k have
// their last k lanes set.
alignas(16) inline constexpr unsigned char kZerosThenOnes[32] = {
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
// The reverse: the 16 bytes at kOnesThenZeros + k have their first 16 - k
// lanes set.
alignas(16) inline constexpr unsigned char kOnesThenZeros[32] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0};

inline __m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }

// The decimal number the 16 lanes spell, each lane a digit value 0 to 9,
// lane 0 the most significant: pairs, then fours, then eights of lanes are
// joined by multiply-adds.
inline std::uint64_t SixteenDigits(__m128i digits) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i tens = _mm_setr_epi16(10, 1, 10, 1, 10, 1, 10, 1);
  const __m128i pairsHigh = _mm_madd_epi16(_mm_unpacklo_epi8(digits, zero), tens);
  const __m128i pairsLow = _mm_madd_epi16(_mm_unpackhi_epi8(digits, zero), tens);
  const __m128i hundreds = _mm_setr_epi16(100, 1, 100, 1, 100, 1, 100, 1);
  const __m128i fours = _mm_madd_epi16(_mm_packs_epi32(pairsHigh, pairsLow), hundreds);
  const __m128i tenThousands = _mm_setr_epi16(10000, 1, 10000, 1, 10000, 1, 10000, 1);
  const __m128i eights = _mm_madd_epi16(_mm_packs_epi32(fours, fours), tenThousands);
  const auto high = static_cast<std::uint32_t>(_mm_cvtsi128_si32(eights));
  const auto low = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(eights, 4)));
  return std::uint64_t{high} * 100000000u + low;
}

}  // namespace vector_real
#endif

// Reads text when it is at most 16 bytes of exactly this form: an optional
// sign, digits with at most one point among them, at least one digit.
// The 16 bytes that end where text ends must lie within the readable bytes
// that start at readableStart. Gives false for anything else (and always
// where there is no SSE2), which the word and byte-wise readings then take.
inline bool ReadVectorDecimal(std::string_view text, const char* readableStart, ShortDecimal& decimal) {
#if defined(__SSE2__)
  using namespace vector_real;
  const std::size_t size = text.size();
  if (size == 0 || size > 16) return false;
  const char* const end = text.data() + size;
  if (end - readableStart < 16) return false;
  // Lane 15 holds the value's last byte, lane 16 - size its first.
  const __m128i bytes = Load(end - 16);
  const __m128i inValue = Load(kZerosThenOnes + size);
  const __m128i digitValues = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
  const __m128i isDigit = _mm_cmpeq_epi8(_mm_subs_epu8(digitValues, _mm_set1_epi8(9)), _mm_setzero_si128());
  const __m128i isPoint = _mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'));
  const auto valueLanes = static_cast<unsigned>(_mm_movemask_epi8(inValue));
  const unsigned digitLanes = static_cast<unsigned>(_mm_movemask_epi8(isDigit)) & valueLanes;
  const unsigned pointLanes = static_cast<unsigned>(_mm_movemask_epi8(isPoint)) & valueLanes;
  const char first = text[0];
  const unsigned signLane = first == '-' || first == '+' ? 1u << (16 - size) : 0u;
  if ((digitLanes | pointLanes | signLane) != valueLanes) return false;
  if (digitLanes == 0 || (pointLanes & (pointLanes - 1)) != 0) return false;
  // The digits without the point: the lanes up to the point take the digit
  // of the lane before them, so the integer digits close up to the
  // fraction's. Other lanes hold 0.
  const __m128i digits = _mm_and_si128(digitValues, _mm_and_si128(isDigit, inValue));
  const int point = pointLanes != 0 ? __builtin_ctz(pointLanes) : 16;
  const __m128i upToPoint = Load(kOnesThenZeros + (pointLanes != 0 ? 15 - point : 16));
  const __m128i closed =
      _mm_or_si128(_mm_and_si128(upToPoint, _mm_slli_si128(digits, 1)), _mm_andnot_si128(upToPoint, digits));
  decimal.negative = first == '-';
  decimal.significand = SixteenDigits(closed);
  decimal.fractionCount = pointLanes != 0 ? 15 - point : 0;
  return true;
#else
  (void)text;
  (void)readableStart;
  (void)decimal;
  return false;
#endif
}

}  // namespace karvex
