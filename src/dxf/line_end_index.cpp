#include "dxf/line_end_index.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace karvex {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// High bit of each byte of word that equals the byte in pattern (repeated).
std::uint64_t EqualBytes(std::uint64_t word, std::uint64_t pattern) {
  const std::uint64_t differ = word ^ pattern;
  // A byte's high bit ends up set when any of its bits is: the low seven
  // bits are added to 0x7F without carrying into the next byte.
  const std::uint64_t nonZero = (((differ & ~kHighBits) + ~kHighBits) | differ) & kHighBits;
  return ~nonZero & kHighBits;
}

}  // namespace

std::uint64_t LineEndMaskPortable(const char* block) {
  std::uint64_t mask = 0;
  for (int i = 0; i < 8; ++i) {
    std::uint64_t word;
    std::memcpy(&word, block + 8 * i, sizeof word);
    const std::uint64_t flags = EqualBytes(word, kOnes * '\r') | EqualBytes(word, kOnes * '\n');
    // Gathers the eight high bits into one byte, the first byte lowest.
    const std::uint64_t bits = ((flags >> 7) * 0x0102040810204080ull) >> 56;
    mask |= bits << (8 * i);
  }
  return mask;
}

std::uint64_t LineEndMask(const char* block) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  std::uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
    const __m128i ends = _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf));
    mask |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(ends))) << (16 * i);
  }
  return mask;
#else
  return LineEndMaskPortable(block);
#endif
}

void LineEndIndex::LoadBlock(std::size_t block) {
  blockStart_ = block;
  const std::size_t left = text_.size() - block;
  if (left >= 64) {
    mask_ = LineEndMask(text_.data() + block);
    return;
  }
  // The last, short block: its bytes are copied so that nothing past the
  // text is read; the zeros after them are no line ends.
  char tail[64] = {};
  std::memcpy(tail, text_.data() + block, left);
  mask_ = LineEndMask(tail);
}

}  // namespace karvex
