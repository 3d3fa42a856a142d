#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "dxf/group_pair_reader.h"

namespace karvex {

// Where each block definition starts in the text, by name. Blocks are never
// parsed ahead: an INSERT re-reads its block from BlockStart.
struct BlockIndex {
  static constexpr std::int32_t kCapacity = 501;
  std::array<std::string, kCapacity> BlockName;
  std::array<std::int32_t, kCapacity> BlockStart{};
  std::int32_t BlockCount = 0;
};

// Reads a BLOCKS section (the reader on its (2, "BLOCKS") pair) into the
// index, from slot 0. A block is recorded under the group-2 value of its
// header (the pairs before its first group-0 pair); a header without one
// leaves the name to the last group-2 value before the block's ENDBLK, else
// to the block before. Blocks past the capacity are read over but not
// recorded.
// False when the host asked to stop or a failure occurred.
bool ReadBlocksSection(GroupPairReader& reader, BlockIndex& index);

}  // namespace karvex
