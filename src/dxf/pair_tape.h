#pragma once
// The pairs of a walk kept in the order the walk read them, so that a
// second walk over the same text (a drawing measured before it is drawn)
// reads them back instead of splitting the text and converting its
// coordinates again. Only the walk's own run through the text is kept, from
// its start: the pairs a block replay reads further back are kept apart
// (BlockPairRecords). A pair is read back only where the second walk reads
// on from the last one it read back; anywhere else the text is read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "dxf/compact_pair.h"

namespace karvex {

class PairTape {
 public:
  // Beyond this many pairs (a gigabyte of tape) the rest is not kept.
  static constexpr std::size_t kMostPairs = std::size_t{1} << 26;

  // Keeps nothing and reads nothing back.
  void Clear();
  // From now on keeps the pairs the walk reads from position 0 on.
  void StartRecording();
  // From now on reads the kept pairs back from position 0 on.
  void StartPlaying();

  bool Recording() const { return mode_ == Mode::Recording; }
  bool Playing() const { return mode_ == Mode::Playing; }
  bool InUse() const { return mode_ != Mode::Off; }

  // Keeps a pair the walk read when it continues the tape: the kept pair,
  // where a conversion of its value is kept too, or null. A tape that
  // cannot grow stops keeping.
  CompactPair* Keep(const PairRecord& pair) {
    if (mode_ != Mode::Recording || pair.codeStart != recordEnd_) return nullptr;
    CompactPair compact;
    if (!CompactOf(pair, compact) || (count_ % kChunkPairs == 0 && !AddChunk())) {
      mode_ = Mode::Off;
      return nullptr;
    }
    CompactPair& kept = At(count_++);
    kept = compact;
    recordEnd_ = pair.next;
    return &kept;
  }

  // The kept pair at codeStart when it is the next one read back, or null.
  CompactPair* Take(std::size_t codeStart, PairRecord& pair) {
    if (mode_ != Mode::Playing || codeStart != playPos_ || played_ == count_) return nullptr;
    CompactPair& kept = At(played_++);
    pair = ExpandPair(codeStart, kept);
    playPos_ = pair.next;
    return &kept;
  }

  // As PairReadAhead::TakeCoordinatePairs: the kept pairs from codeStart on
  // that need nothing but their coordinate. Returns where the walk reads on.
  std::size_t TakeCoordinatePairs(std::size_t codeStart, const CoordinateFields& fields, float* values,
                                  std::size_t progressEvery) {
    if (codeStart != playPos_) return codeStart;
    if (played_ == count_) return codeStart;
    std::uint64_t taken = played_;
    std::size_t pos = playPos_;
    // A run stays within one chunk; the walk comes back for the next.
    const std::size_t firstOfChunk = played_ / kChunkPairs * kChunkPairs;
    const std::size_t chunkEnd = firstOfChunk + kChunkPairs;
    const CompactPair* chunk = chunks_[played_ / kChunkPairs]->data();
    TakeCoordinateRun([chunk, firstOfChunk](std::uint64_t i) -> const CompactPair& {
      return chunk[static_cast<std::size_t>(i) - firstOfChunk];
    }, taken, chunkEnd < count_ ? chunkEnd : count_, pos, fields, values, progressEvery);
    played_ = static_cast<std::size_t>(taken);
    playPos_ = pos;
    return pos;
  }

  std::size_t Size() const { return count_; }

 private:
  static constexpr std::size_t kChunkPairs = std::size_t{1} << 14;
  using Chunk = std::array<CompactPair, kChunkPairs>;

  CompactPair& At(std::size_t index) { return (*chunks_[index / kChunkPairs])[index % kChunkPairs]; }
  // False when the tape is full or there is no room for another chunk.
  bool AddChunk();

  enum class Mode : std::uint8_t { Off, Recording, Playing };

  std::vector<std::unique_ptr<Chunk>> chunks_;
  std::size_t count_ = 0;
  Mode mode_ = Mode::Off;
  std::size_t recordEnd_ = 0;  // where the next kept pair must start
  std::size_t played_ = 0;     // the next pair read back
  std::size_t playPos_ = 0;    // where it starts
};

}  // namespace karvex
