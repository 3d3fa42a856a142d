#pragma once
#include <cstddef>
#include <cstdint>

namespace karvex {

// Where the reader sends its progress reports, and where every section walk
// asks whether the host wants it to stop. The plug-in object implements it.
class ProgressSink {
 public:
  virtual void ReportProgress(std::int32_t num, std::int32_t denom) = 0;
  virtual bool AbortRequested() const = 0;

 protected:
  ~ProgressSink() = default;
};

// Progress is reported only after a pair that ends exactly at a multiple of
// this many bytes.
inline constexpr std::int32_t kProgressEvery = 1000;

// The progress rule, the one statement of it: the pair that ends at next is
// reported when next is a multiple of kProgressEvery and no later position
// was reported already, so that a block replay reading an earlier stretch
// never makes the host's figures go back (an equal one is reported again).
constexpr bool ProgressDueAt(std::size_t next, std::int32_t lastReported) {
  return next % kProgressEvery == 0 && next >= static_cast<std::size_t>(lastReported);
}

}  // namespace karvex
