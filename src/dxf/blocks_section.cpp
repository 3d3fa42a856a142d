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
        // The block's own header: its pairs up to the first group-0 pair.
        bool hasOwnName = false;
        reader.ReadGroupPair();
        while (reader.GroupCode() != 0) {
          if (reader.GroupCode() == 2) {
            name = reader.GroupValue();
            hasOwnName = true;
          }
          reader.ReadGroupPair();
        }
        // Its entities carry group-2 pairs of their own (a HATCH's pattern,
        // an ATTDEF's tag, an INSERT's block): they name the block only when
        // its header did not.
        while (!reader.IsEnd("ENDBLK")) {
          if (!hasOwnName && reader.GroupCode() == 2) name = reader.GroupValue();
          reader.ReadGroupPair();
        }
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
