#pragma once
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

}  // namespace karvex
