#pragma once
// The lowest set bit of a 64-bit word. On 32-bit x86 the compiler makes the
// 64-bit scan a library call; two 32-bit scans are quicker.
#include <cstdint>

namespace karvex {

// The index of the lowest set bit; word must not be 0.
inline int LowestSetBit(std::uint64_t word) {
#if UINTPTR_MAX == 0xFFFFFFFFu
  const auto low = static_cast<std::uint32_t>(word);
  return low != 0 ? __builtin_ctz(low) : 32 + __builtin_ctz(static_cast<std::uint32_t>(word >> 32));
#else
  return __builtin_ctzll(word);
#endif
}

}  // namespace karvex
