#pragma once
// Splits a text into group pairs on a thread of its own, ahead of the walk
// that reads them, and, once far enough ahead, converts the values of the
// codes drawings read as coordinates, sizes and angles (close behind it the
// walk would only wait: then the walk converts them itself). Splitting and
// converting are pure functions of the text, so the walk takes what is
// ready in place of doing it again and gets exactly what it would have
// computed: the walk itself (its progress reports, abort checks and block
// replays) is untouched.
//
// The pairs pass through a ring. The walk takes a pair only where it reads
// on from where the last pair it took ends; when it reads elsewhere (a block
// replayed from further back) it splits those pairs itself, and takes from
// the ring again once it is back.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <thread>

#include "dxf/compact_pair.h"
#include "dxf/pair_split.h"

namespace karvex {

// The codes whose values the entity records read as reals: points,
// heights and radii, angles.
constexpr bool IsConvertedAhead(std::int32_t code) {
  return (code >= 10 && code <= 13) || (code >= 20 && code <= 23) || code == 40 || code == 50 || code == 51;
}

class PairReadAhead {
 public:
  // Starts reading text, which must stay alive until this is destroyed.
  explicit PairReadAhead(std::string_view text);
  // Stops the thread and waits for it.
  ~PairReadAhead();
  PairReadAhead(const PairReadAhead&) = delete;
  PairReadAhead& operator=(const PairReadAhead&) = delete;

  // The pair starting at codeStart when it is the next one of the text after
  // the last pair taken (waiting for the thread to get there); false when
  // the walk reads elsewhere or the thread stopped short of it (the end of
  // the text, a bad group code, a group code line too long for a slot), and
  // the walk must split it itself.
  bool Take(std::size_t codeStart, PairRecord& pair) {
    if (codeStart != streamPos_) return false;
    if (taken_ == producedSeen_ && !WaitForPairs()) return false;
    pair = ExpandPair(codeStart, (*ring_)[taken_ % kCapacity]);
    streamPos_ = pair.next;
    if (++taken_ % kBatch == 0) consumed_.store(taken_, std::memory_order_release);
    return true;
  }

  // Takes the pairs from codeStart on that need nothing of the walk but
  // their coordinate, if any, in one pass: values[fields[code]] gets the
  // converted value of each pair whose code has a field. Stops before a
  // group-0 pair, a kept value the thread did not convert, a pair that ends
  // where progress is reported (at a multiple of progressEvery), and where
  // the pairs handed over so far end, leaving those to Take. Returns where
  // the walk reads on: codeStart when it took nothing.
  std::size_t TakeCoordinatePairs(std::size_t codeStart, const CoordinateFields& fields, float* values,
                                  std::size_t progressEvery) {
    if (codeStart != streamPos_) return codeStart;
    // In locals: the stores to values could otherwise alias the members.
    const CompactPair* const ring = ring_->data();
    const std::uint64_t takenBefore = taken_;
    std::uint64_t taken = takenBefore;
    std::size_t pos = codeStart;
    TakeCoordinateRun([ring](std::uint64_t i) -> const CompactPair& { return ring[i % kCapacity]; }, taken,
                      producedSeen_, pos, fields, values, progressEvery);
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
