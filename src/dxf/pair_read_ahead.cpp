#include "dxf/pair_read_ahead.h"

#include <chrono>

#include "base/fpu_precision.h"
#include "base/processor_placement.h"
#include "dxf/line_end_index.h"
#include "dxf/pair_split.h"

namespace karvex {
namespace {

// Waits a little longer each round: first on the processor (the other side
// is usually a few pairs away), then giving the processor up, then asleep,
// so a side left waiting (a long block replay) does not hold a core.
class Backoff {
 public:
  void Pause() {
    ++rounds_;
    if (rounds_ < 256) {
#if defined(__i386__) || defined(__x86_64__)
      __builtin_ia32_pause();
#endif
    } else if (rounds_ < 1024) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
  }

 private:
  unsigned rounds_ = 0;
};

}  // namespace

PairReadAhead::PairReadAhead(std::string_view text)
    // The ring is left unwritten: a slot is read only once the thread has
    // filled it, and its pages are first touched there, not here.
    : text_(text), ring_(std::make_unique_for_overwrite<std::array<CompactPair, kCapacity>>()) {
  // The walk goes on here: the thread splits ahead of it elsewhere.
  thread_ = StartBeside([this] { Run(); });
}

PairReadAhead::~PairReadAhead() {
  stop_.store(true, std::memory_order_relaxed);
  thread_.join();
}

void PairReadAhead::Run() {
  // The conversions must round as the walk's own do, whatever the thread's
  // floating-point state starts as.
  const FpuPrecisionScope precision;
  LineEndIndex lineEnds;
  lineEnds.Reset(text_);
  std::uint64_t produced = 0;
  std::uint64_t consumedSeen = 0;
  std::size_t pos = 0;
  bool convert = false;
  // Held in locals: the ring's writes could otherwise alias them, and they
  // would be read again for every pair.
  const std::string_view text = text_;
  CompactPair* const ring = ring_->data();
  for (;;) {
    if (produced - consumedSeen == kCapacity) {
      Backoff backoff;
      for (;;) {
        consumedSeen = consumed_.load(std::memory_order_acquire);
        if (produced - consumedSeen < kCapacity) break;
        if (stop_.load(std::memory_order_relaxed)) return;
        backoff.Pause();
      }
    }
    PairSpan span;
    if (SplitPair(text, lineEnds, pos, span) != PairSplit::Found) break;
    // A group code line too long for a slot (tens of thousands of blanks):
    // the walk splits the text itself from here on.
    const std::size_t valueOffset = span.valueStart - pos;
    if (valueOffset > UINT16_MAX) break;
    CompactPair& pair = ring[produced % kCapacity];
    pair.valueEnd = static_cast<std::uint32_t>(span.valueEnd);
    pair.code = span.code;
    pair.valueOffset = static_cast<std::uint16_t>(valueOffset);
    pair.terminatorLength = static_cast<std::uint8_t>(span.next - span.valueEnd);
    pair.hasReal = convert && IsConvertedAhead(span.code) &&
                   ConvertAhead(text.substr(span.valueStart, span.valueEnd - span.valueStart), text, pair.real);
    pos = span.next;
    if (++produced % kBatch == 0) {
      produced_.store(produced, std::memory_order_release);
      if (stop_.load(std::memory_order_relaxed)) return;
      // Close ahead of the walk, splitting alone keeps it from waiting: the
      // walk converts what was not converted here.
      consumedSeen = consumed_.load(std::memory_order_acquire);
      convert = produced - consumedSeen >= kLeadForConverting;
    }
  }
  produced_.store(produced, std::memory_order_release);
  finished_.store(true, std::memory_order_release);
}

bool PairReadAhead::WaitForPairs() {
  Backoff backoff;
  for (;;) {
    // finished_ first: once it is seen, produced_ holds the last count.
    const bool finished = finished_.load(std::memory_order_acquire);
    producedSeen_ = produced_.load(std::memory_order_acquire);
    if (taken_ < producedSeen_) return true;
    if (finished) return false;
    backoff.Pause();
  }
}

}  // namespace karvex
