// The raster primitives: ns per line pixel, per circle and per arc.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "render/raster_surface.h"

namespace karvex::bench {
namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 453;

void BM_LinePixels(benchmark::State& state) {
  RasterCanvas canvas(kWidth, kHeight, nullptr);
  std::int64_t pixels = 0;
  std::int32_t turn = 0;
  for (auto _ : state) {
    // Lines in every octant across the picture, about 400 to 640 pixels long.
    const std::int32_t dx = (turn % 9) * 40 - 160;
    const std::int32_t dy = (turn % 7) * 30 - 90;
    canvas.MoveTo(320 - 2 * dx - 150, 226 - 2 * dy);
    canvas.LineTo(320 + 2 * dx + 150, 226 + 2 * dy);
    pixels += std::max(std::abs(4 * dx + 300), std::abs(4 * dy));
    ++turn;
  }
  state.counters["ns_per_pixel"] =
      benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LinePixels);

void BM_LineFarOutside(benchmark::State& state) {
  RasterCanvas canvas(kWidth, kHeight, nullptr);
  for (auto _ : state) {
    canvas.MoveTo(-2000000000, 5);
    canvas.LineTo(2000000000, 300);
  }
}
BENCHMARK(BM_LineFarOutside);

void BM_Circle(benchmark::State& state) {
  RasterCanvas canvas(kWidth, kHeight, nullptr);
  const auto radius = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) canvas.Ellipse(320 - radius, 226 + radius, 320 + radius, 226 - radius);
}
BENCHMARK(BM_Circle)->Arg(10)->Arg(200)->Arg(100000000);

void BM_Arc(benchmark::State& state) {
  RasterCanvas canvas(kWidth, kHeight, nullptr);
  const auto radius = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    canvas.Arc(320 - radius, 226 + radius, 320 + radius, 226 - radius, 320 + radius, 226 - 1, 320 - 1, 226 + radius);
  }
}
BENCHMARK(BM_Arc)->Arg(10)->Arg(200);

}  // namespace
}  // namespace karvex::bench
