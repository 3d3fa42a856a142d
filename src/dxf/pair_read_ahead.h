#pragma once
// Splits a text into group pairs on a thread of its own, ahead of the walk
// that reads them, and, once far enough ahead, converts the values of the
// codes drawings read as coordinates, sizes and angles (close behind it the
// walk would only wait: then the walk converts them itself). Splitting and
// converting are pure functions of the text (pair_split.h), so the walk takes
// what is ready in place of doing it again and gets exactly what it would
// have computed. The pairs pass through a ring, in text order; the reader
// takes from it only where it stands at NextStart() (see docs/reading.md).
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <thread>

#include "dxf/compact_pair.h"
#include "dxf/pair_split.h"
#include "dxf/progress_sink.h"

namespace karvex {

class PairReadAhead {
 public:
  // Starts reading text, which must stay alive until this is destroyed.
  explicit PairReadAhead(std::string_view text);
  // Stops the thread and waits for it.
  ~PairReadAhead();
  PairReadAhead(const PairReadAhead&) = delete;
  PairReadAhead& operator=(const PairReadAhead&) = delete;

  // Where the next pair of the ring starts: where the last one taken ends.
  std::size_t NextStart() const { return streamPos_; }

  // The pair at NextStart() (waiting for the thread to get there); false
  // when the thread stopped short of it (the end of the text, a bad group
  // code, a group code line too long for a slot): the walk splits it itself.
  bool Take(PairRecord& pair) {
    if (taken_ == producedSeen_ && !WaitForPairs()) return false;
    pair = ExpandPair(streamPos_, (*ring_)[taken_ % kCapacity]);
    streamPos_ = pair.next;
    if (++taken_ % kBatch == 0) consumed_.store(taken_, std::memory_order_release);
    return true;
  }

  // Takes the pairs from NextStart() on that need nothing of the walk but
  // their coordinate, if any, in one pass, without making any of them
  // current: values[fields[code]] gets the converted value of each pair
  // whose code has a field. Stops before a group-0 pair, a kept value the
  // thread did not convert, a pair after which progress is due (given the
  // last position reported), and where the pairs handed over so far end,
  // leaving those to Take. Returns the new NextStart(), where the walk reads
  // on.
  std::size_t TakeCoordinatePairs(const CoordinateFields& fields, float* values, std::int32_t lastReported) {
    // In locals: the stores to values could otherwise alias the members.
    const CompactPair* const ring = ring_->data();
    const std::uint64_t takenBefore = taken_;
    std::uint64_t taken = takenBefore;
    std::size_t pos = streamPos_;
    TakeCoordinateRun([ring](std::uint64_t i) -> const CompactPair& { return ring[i % kCapacity]; }, taken,
                      producedSeen_, pos, fields, values, lastReported);
    taken_ = taken;
    streamPos_ = pos;
    if (takenBefore / kBatch != taken / kBatch) consumed_.store(taken, std::memory_order_release);
    return pos;
  }

 private:
  // Every cache line of the ring crosses between the two processors twice
  // per round, so a slot holds no more than the walk needs: a compact pair,
  // four to a line.
  static constexpr std::size_t kCapacity = 1 << 16;
  static constexpr std::uint64_t kBatch = 64;  // pairs published at a time
  // How far ahead of the walk the thread must be to convert values too.
  static constexpr std::uint64_t kLeadForConverting = 8192;

  void Run();
  // Waits until the thread has handed over pairs not taken yet; false when
  // it stopped without more.
  bool WaitForPairs();

  std::string_view text_;
  std::unique_ptr<std::array<CompactPair, kCapacity>> ring_;
  // Written by the thread, read by the walk, each on a line of its own.
  alignas(64) std::atomic<std::uint64_t> produced_{0};
  std::atomic<bool> finished_{false};
  // Written by the walk.
  alignas(64) std::atomic<std::uint64_t> consumed_{0};
  std::atomic<bool> stop_{false};
  // The walk's own.
  alignas(64) std::uint64_t taken_ = 0;
  std::uint64_t producedSeen_ = 0;
  std::size_t streamPos_ = 0;  // where the next pair of the ring starts
  std::thread thread_;
};

}  // namespace karvex
