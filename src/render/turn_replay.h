#pragma once
// Remembers, for each way a block is inserted (the block's place in the
// text, its base point and the insertion angle), the turned offsets of its
// points in the order they were turned. An insertion made the same way again
// turns the same points in the same order, so it reads the offsets back one
// after another instead of computing or looking up each. Every step still
// checks that its point is the one recorded: a replay that departs from its
// record computes the rest itself, so the offsets are always exactly the
// ones computing would give.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "render/polar_cache.h"

namespace karvex {

class TurnReplay {
 public:
  struct Step {
    std::uint32_t xBits;
    std::uint32_t yBits;
    TurnedOffset offset;
  };
  using Record = std::vector<Step>;

  // Reads one insertion's steps from its record, and adds to the record the
  // steps it had no room for yet.
  class Cursor {
   public:
    Cursor() = default;
    Cursor(TurnReplay* owner, Record* record) : owner_(owner), record_(record) {}

    // The recorded offsets of the next point, when it is (x, y).
    const TurnedOffset* Next(float x, float y) {
      if (record_ == nullptr || at_ == record_->size()) return nullptr;
      const Step& step = (*record_)[at_];
      if (step.xBits != FloatBits(x) || step.yBits != FloatBits(y)) {
        record_ = nullptr;  // departed from the record: not used again
        return nullptr;
      }
      ++at_;
      return &step.offset;
    }

    // The offsets just computed for (x, y), kept when the record ends here.
    void Keep(float x, float y, TurnedOffset offset) {
      if (record_ == nullptr || at_ != record_->size() || !owner_->TakeStep()) return;
      record_->push_back({FloatBits(x), FloatBits(y), offset});
      ++at_;
    }

   private:
    TurnReplay* owner_ = nullptr;
    Record* record_ = nullptr;
    std::size_t at_ = 0;
  };

  // A cursor at the start of the record of this way of inserting; one that
  // reads and keeps nothing once the room for records is used up.
  Cursor Start(std::int32_t blockStart, float baseX, float baseY, float insertAngle) {
    if (stepsKept_ >= kMostSteps) return Cursor();
    const Key key{blockStart, FloatBits(baseX), FloatBits(baseY), FloatBits(insertAngle)};
    return Cursor(this, &records_[key]);
  }

 private:
  // Room for the points of a few hundred block insertions (16 bytes each):
  // beyond it, drawings are drawn as without the records.
  static constexpr std::size_t kMostSteps = std::size_t{1} << 19;

  struct Key {
    std::int32_t blockStart;
    std::uint32_t baseX, baseY, insertAngle;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      const std::uint64_t hash =
          HashWords({static_cast<std::uint32_t>(key.blockStart), key.baseX, key.baseY, key.insertAngle});
      return static_cast<std::size_t>(hash ^ (hash >> 32));
    }
  };

  bool TakeStep() {
    if (stepsKept_ >= kMostSteps) return false;
    ++stepsKept_;
    return true;
  }

  std::unordered_map<Key, Record, KeyHash> records_;
  std::size_t stepsKept_ = 0;
};

}  // namespace karvex
