#pragma once
// Finds the CR and LF bytes of a text 64 bytes at a time. DXF lines are
// short (a group code, a value of a few digits), so asking "where does this
// line end" one byte or one word at a time costs a search per line; here a
// block's line ends are found at once as a bit mask, and each line end is
// the next set bit.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/bit_scan.h"

namespace karvex {

// Bit i is set when byte i of the 64 at block is a CR or an LF. The
// portable form works a word at a time; the other uses the processor's
// vector compare where there is one. Both give the same mask.
std::uint64_t LineEndMaskPortable(const char* block);
std::uint64_t LineEndMask(const char* block);

class LineEndIndex {
 public:
  void Reset(std::string_view text) {
    text_ = text;
    blockStart_ = kNoBlock;
  }

  // The position of the first CR or LF at or after pos, or the text's size
  // when there is none. pos must not be past the end.
  std::size_t NextLineEnd(std::size_t pos) {
    for (;;) {
      const std::size_t block = pos & ~std::size_t{63};
      if (block != blockStart_) LoadBlock(block);
      const std::uint64_t ahead = mask_ >> (pos - block);
      if (ahead != 0) return pos + static_cast<std::size_t>(LowestSetBit(ahead));
      pos = block + 64;
      if (pos >= text_.size()) return text_.size();
    }
  }

 private:
  static constexpr std::size_t kNoBlock = ~std::size_t{0};
  void LoadBlock(std::size_t block);

  std::string_view text_;
  std::size_t blockStart_ = kNoBlock;
  std::uint64_t mask_ = 0;
};

}  // namespace karvex
