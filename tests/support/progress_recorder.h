#pragma once
// A progress sink that writes down every report and never asks to stop.
#include <cstdint>
#include <utility>
#include <vector>

#include "dxf/progress_sink.h"

namespace karvex::testing {

class ProgressRecorder final : public ProgressSink {
 public:
  void ReportProgress(std::int32_t num, std::int32_t denom) override { reports.emplace_back(num, denom); }
  bool AbortRequested() const override { return false; }
  std::vector<std::pair<std::int32_t, std::int32_t>> reports;
};

}  // namespace karvex::testing
