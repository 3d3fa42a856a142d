#pragma once
// Keeps the pairs of replayed blocks once split. A block inserted ten
// thousand times is read ten thousand times from the same place in the
// text; its pairs (and the coordinates converted from them) are the same
// every time, so from the second time on they are read back from the record
// instead of being split and converted again. Each recorded pair is only
// used where the reading is exactly at its start, so a replay that goes
// anywhere else simply reads the text.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "dxf/pair_split.h"

namespace karvex {

class BlockPairRecords {
 public:
  // Pairs kept for all blocks together; beyond this, replays read the text.
  static constexpr std::size_t kMostPairs = std::size_t{1} << 18;

  // Forgets every record (a new text).
  void Clear() {
    records_.clear();
    pairsKept_ = 0;
    Stop();
  }

  // A replay reads on from position: its record is used and extended.
  void StartAt(std::uint32_t position) {
    record_ = &records_[position];
    start_ = position;
    next_ = 0;
  }
  // The walk goes back to where it was: no record is in use.
  void Stop() { record_ = nullptr; }
  // Whether a replay's record is in use.
  bool Replaying() const { return record_ != nullptr; }

  // The recorded pair starting at position when it is the replay's next one.
  PairRecord* Find(std::uint32_t position) {
    if (record_ == nullptr || next_ == record_->size()) return nullptr;
    PairRecord& pair = (*record_)[next_];
    if (pair.codeStart != position) {
      record_ = nullptr;  // the replay went elsewhere: the text is read
      return nullptr;
    }
    ++next_;
    return &pair;
  }

  // Keeps a pair the replay read from the text, when it continues the
  // record; the kept copy, or null.
  PairRecord* Keep(const PairRecord& pair) {
    if (record_ == nullptr || next_ != record_->size() || pairsKept_ == kMostPairs) return nullptr;
    const std::uint32_t expected = record_->empty() ? start_ : record_->back().next;
    if (pair.codeStart != expected) return nullptr;
    record_->push_back(pair);
    ++pairsKept_;
    ++next_;
    return &record_->back();
  }

 private:
  // Node-based: a record stays where it is while others are added.
  std::unordered_map<std::uint32_t, std::vector<PairRecord>> records_;
  std::vector<PairRecord>* record_ = nullptr;
  std::uint32_t start_ = 0;
  std::size_t next_ = 0;
  std::size_t pairsKept_ = 0;
};

}  // namespace karvex
