// The group-pair reader alone: MB/s over whole texts. The ReadAhead forms
// take the pairs a second thread splits (wall-clock time): how fast pairs
// can come through the hand-over.
#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "dxf/group_pair_reader.h"

namespace karvex::bench {
namespace {

void ReadAllPairs(benchmark::State& state, const std::string& text, bool readAhead = false) {
  std::int64_t pairs = 0;
  for (auto _ : state) {
    GroupPairReader reader;
    if (readAhead) reader.ReadAheadFrom(0);
    reader.Begin(text);
    try {
      for (;;) {
        reader.ReadGroupPair();
        ++pairs;
      }
    } catch (...) {
    }
    benchmark::DoNotOptimize(reader.GroupCode());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
  state.counters["pairs"] = benchmark::Counter(static_cast<double>(pairs), benchmark::Counter::kIsRate);
}

void BM_ReaderSynthetic(benchmark::State& state) {
  static const std::string text = SyntheticDrawing(8 << 20);
  ReadAllPairs(state, text);
}
BENCHMARK(BM_ReaderSynthetic)->Unit(benchmark::kMillisecond);

const bool kRegistered = [] {
  for (const BenchFile& file : BigDrawings()) {
    benchmark::RegisterBenchmark(("BM_Reader/" + file.label).c_str(),
                                 [path = file.path](benchmark::State& state) {
                                   const std::string text = ReadWhole(path);
                                   ReadAllPairs(state, text);
                                 })
        ->Unit(benchmark::kMillisecond);
  }
  for (const BenchFile& file : BigDrawings()) {
    benchmark::RegisterBenchmark(("BM_ReaderReadAhead/" + file.label).c_str(),
                                 [path = file.path](benchmark::State& state) {
                                   const std::string text = ReadWhole(path);
                                   ReadAllPairs(state, text, true);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  return true;
}();

}  // namespace
}  // namespace karvex::bench
