#include "dxf/blocks_section.h"

namespace karvex {

bool ReadBlocksSection(GroupPairReader& reader, BlockIndex& index) {
  try {
    index.BlockCount = 0;
    // Set up once per section, not per block: a block without a group 2 is
    // recorded under the name of the block before it.
    std::string_view name;
    for (;;) {
      bool entered = false;
      if (reader.Is(0, "BLOCK")) {
        const std::int32_t start = reader.ReadPos();
        do {
          if (reader.GroupCode() == 2) name = reader.GroupValue();
          reader.ReadGroupPair();
        } while (!reader.IsEnd("ENDBLK"));
        if (index.BlockCount < BlockIndex::kCapacity) {
          index.BlockName[static_cast<std::size_t>(index.BlockCount)].assign(name);
          index.BlockStart[static_cast<std::size_t>(index.BlockCount)] = start;
          ++index.BlockCount;
        }
        entered = true;
      }
      if (reader.AbortRequested()) return false;
      if (!entered) reader.ReadGroupPair();
      if (reader.IsEnd("ENDSEC")) return true;
    }
  } catch (...) {
    return false;
  }
}

}  // namespace karvex
