// The integer and real conversions on value texts as drawings spell them.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "bench_data.h"
#include "dxf/group_pair_reader.h"
#include "dxf/number_conversion.h"

namespace karvex::bench {
namespace {

constexpr std::string_view kGroupCodes[] = {"  0", "  8", " 10", " 20", " 30", " 11", " 21", " 40", " 62", "999"};
constexpr std::string_view kReals[] = {"0.0",        "123.4567",        "-0.0001", "1.5e3",    "24.97581906873237",
                                       "100.0",      "-3845.123456789", "7",       "0.333333", "1.0E+20"};
constexpr std::string_view kLongReals[] = {"3.14159265358979323846264338327950288", "1e-320",
                                           "123456789012345678901234567890.5"};

void BM_IntegerConversion(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view text : kGroupCodes) benchmark::DoNotOptimize(ParseInteger(text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(kGroupCodes)));
}
BENCHMARK(BM_IntegerConversion);

void BM_RealConversion(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view text : kReals) benchmark::DoNotOptimize(ParseReal(text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(kReals)));
}
BENCHMARK(BM_RealConversion);

void BM_RealConversionSlowPath(benchmark::State& state) {
  for (auto _ : state) {
    for (std::string_view text : kLongReals) benchmark::DoNotOptimize(ParseReal(text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(kLongReals)));
}
BENCHMARK(BM_RealConversionSlowPath);

// The coordinate, height and angle texts (groups 10 to 59) of a drawing, in
// the order the drawing holds them, read in place as pictures read them: the
// digit counts vary as in real files, so branches are predicted as well or
// as badly as when a picture is drawn.
std::vector<std::string_view> RealTextsOf(const std::string& text) {
  std::vector<std::string_view> values;
  GroupPairReader reader;
  reader.Begin(text);
  try {
    for (;;) {
      reader.ReadGroupPair();
      if (reader.GroupCode() >= 10 && reader.GroupCode() <= 59) values.push_back(reader.GroupValue());
    }
  } catch (...) {
  }
  return values;
}

void BM_RealConversionOfDrawing(benchmark::State& state) {
  static const std::string text = [] {
    // The largest of the big drawings.
    std::string largest;
    std::uintmax_t largestSize = 0;
    for (const BenchFile& file : BigDrawings()) {
      const std::uintmax_t size = std::filesystem::file_size(file.path);
      if (size > largestSize) largest = file.path, largestSize = size;
    }
    return largest.empty() ? SyntheticDrawing(8 << 20) : ReadWhole(largest);
  }();
  static const std::vector<std::string_view> values = RealTextsOf(text);
  for (auto _ : state) {
    for (std::string_view value : values) {
      try {
        benchmark::DoNotOptimize(ConvertRealToFloat(value, text));
      } catch (...) {
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}
BENCHMARK(BM_RealConversionOfDrawing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace karvex::bench
