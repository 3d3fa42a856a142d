#pragma once
// Keeps the pairs of replayed blocks once split. A block inserted ten
// thousand times is read ten thousand times from the same place in the
// text; its pairs (and the coordinates converted from them) are the same
// every time, so from the second time on they are read back from the record
// instead of being split and converted again. Which pair the reader takes
// from here, and when, the reader decides (GroupPairReader::NextPairSource).
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

  // A replay starts at position: the record of the pairs from there (empty
  // on the first replay from there) is read from its start.
  void StartAt(std::uint32_t position) {
    record_ = &records_[position];
    next_ = 0;
    nextStart_ = position;
  }
  // The replay has ended: no record is in use.
  void Stop() { record_ = nullptr; }
  bool Replaying() const { return record_ != nullptr; }

  // Where the replay's next pair starts: the next recorded one, or, at the
  // record's end, the one that would extend it.
  std::uint32_t NextStart() const { return nextStart_; }
  // Whether a recorded pair starts at NextStart().
  bool HasRecordedPair() const { return next_ < record_->size(); }
  // Whether a pair read at NextStart() past the record's end can be kept.
  bool HasRoom() const { return pairsKept_ < kMostPairs; }

  // The recorded pair at NextStart() (HasRecordedPair()).
  const PairRecord& TakeRecordedPair() {
    const PairRecord& pair = (*record_)[next_++];
    nextStart_ = pair.next;
    return pair;
  }
  // Keeps the pair read from the text at NextStart() at the record's end
  // (HasRoom()).
  void Append(const PairRecord& pair) {
    record_->push_back(pair);
    ++pairsKept_;
    ++next_;
    nextStart_ = pair.next;
  }

 private:
  // Node-based: a record stays where it is while others are added.
  std::unordered_map<std::uint32_t, std::vector<PairRecord>> records_;
  std::vector<PairRecord>* record_ = nullptr;
  std::size_t next_ = 0;
  std::uint32_t nextStart_ = 0;
  std::size_t pairsKept_ = 0;
};

}  // namespace karvex
