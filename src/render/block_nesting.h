#pragma once
// Which blocks a walk is replaying inside one another, so that a block
// inserted inside a block is replayed only where that cannot go on for
// ever: never inside itself (directly or through others), never deeper than
// kDeepest, and only while the walk's budget of replays lasts, which bounds
// the work of arrays and of blocks that insert each other many times over.
#include <array>
#include <cstddef>
#include <cstdint>

namespace karvex {

class BlockNesting {
 public:
  // Blocks inside blocks inside ... the ENTITIES section.
  static constexpr std::size_t kDeepest = 16;
  // Replays a walk makes beyond the first cell of each INSERT of the
  // ENTITIES section (whose number the text itself bounds): the cells of
  // arrays and every block inserted inside a block.
  static constexpr std::uint32_t kMostReplays = std::uint32_t{1} << 16;

  std::size_t Depth() const { return depth_; }

  // Whether the block at this index slot may be replayed now; costs one
  // replay of the budget unless free. The caller leaves it when done.
  bool Enter(std::int32_t slot, bool free) {
    if (depth_ == kDeepest) return false;
    for (std::size_t i = 0; i < depth_; ++i) {
      if (slots_[i] == slot) return false;
    }
    if (!free) {
      if (replays_ == kMostReplays) return false;
      ++replays_;
    }
    slots_[depth_++] = slot;
    return true;
  }
  void Leave() { --depth_; }
  // False once the budget is spent: no further replay that costs will be
  // made.
  bool CanReplay() const { return replays_ < kMostReplays; }

 private:
  std::array<std::int32_t, kDeepest> slots_{};
  std::size_t depth_ = 0;
  std::uint32_t replays_ = 0;
};

}  // namespace karvex
