#pragma once
// The pairs of a walk kept in the order the walk read them, so that a
// second walk over the same text (a drawing measured before it is drawn)
// reads them back instead of splitting the text and converting its
// coordinates again. Only the walk's own run through the text is kept, from
// its start: the pairs a block replay reads further back are kept apart
// (BlockPairRecords). Which pair the reader takes from here, and when, the
// reader decides (GroupPairReader::NextPairSource).
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

  // Recording: where the next kept pair must start, the end of the run kept
  // so far. Playing: where the next pair read back starts.
  std::size_t NextStart() const { return Recording() ? recordEnd_ : playPos_; }
  // Playing: whether a kept pair starts at NextStart().
  bool HasKeptPair() const { return played_ < count_; }

  // Keeps a pair the walk read at NextStart() (Recording()); its value must
  // already be converted where it is one of those converted ahead. A tape
  // that cannot grow stops keeping.
  void Keep(const PairRecord& pair) {
    CompactPair compact;
    if (!CompactOf(pair, compact) || (count_ % kChunkPairs == 0 && !AddChunk())) {
      mode_ = Mode::Off;
      return;
    }
    At(count_++) = compact;
    recordEnd_ = pair.next;
  }

  // The kept pair at NextStart() (Playing() and HasKeptPair()).
  PairRecord Take() {
    const PairRecord pair = ExpandPair(playPos_, At(played_++));
    playPos_ = pair.next;
    return pair;
  }

  // As PairReadAhead::TakeCoordinatePairs: the kept pairs from NextStart()
  // on that need nothing but their coordinate. Returns where the walk reads
  // on.
  std::size_t TakeCoordinatePairs(const CoordinateFields& fields, float* values, std::int32_t lastReported) {
    if (played_ == count_) return playPos_;
    std::uint64_t taken = played_;
    std::size_t pos = playPos_;
    // A run stays within one chunk; the walk comes back for the next.
    const std::size_t firstOfChunk = played_ / kChunkPairs * kChunkPairs;
    const std::size_t chunkEnd = firstOfChunk + kChunkPairs;
    const CompactPair* chunk = chunks_[played_ / kChunkPairs]->data();
    TakeCoordinateRun([chunk, firstOfChunk](std::uint64_t i) -> const CompactPair& {
      return chunk[static_cast<std::size_t>(i) - firstOfChunk];
    }, taken, chunkEnd < count_ ? chunkEnd : count_, pos, fields, values, lastReported);
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
