// What a text costs the raster backend once its face is loaded: cached
// glyphs, glyphs rendered afresh, and texts the picture cannot show.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/draw_surface.h"
#include "render/freetype_text.h"

namespace {

constexpr std::int32_t kWidth = 640;
constexpr std::int32_t kHeight = 453;

struct Picture {
  std::vector<std::uint8_t> rows =
      std::vector<std::uint8_t>(static_cast<std::size_t>(karvex::RowStride(kWidth)) * kHeight, 0xFF);
};

void DrawRepeatedly(benchmark::State& state, const std::string& text, std::int32_t x, std::int32_t y,
                    std::int32_t height, std::int32_t escapement) {
  karvex::FreeTypeTextRasterizer rasterizer(karvex::kIpaGothicPath);
  if (!rasterizer.Ready()) {
    state.SkipWithError(rasterizer.Problem().c_str());
    return;
  }
  Picture picture;
  for (auto _ : state) {
    rasterizer.DrawText(picture.rows.data(), kWidth, kHeight, x, y, text, height, escapement);
    benchmark::ClobberMemory();
  }
}

void LatinText(benchmark::State& state) { DrawRepeatedly(state, "ABC", 100, 100, 24, 0); }
BENCHMARK(LatinText);

// 平面図, reading upwards.
void JapaneseTextTurned(benchmark::State& state) {
  DrawRepeatedly(state, "\x95\xBD\x96\xCA\x90\x7D", 100, 300, 24, 900);
}
BENCHMARK(JapaneseTextTurned);

void FortyTwoCharacters(benchmark::State& state) {
  DrawRepeatedly(state, "SECTION A-A \x92\x66\x96\xCA\x90\x7D 1:50 \x90\xA1\x96\x40\x82\xCD mm \x82\xC5\x8E\xA6\x82\xB7 0123456789", 10,
                 200, 12, 0);
}
BENCHMARK(FortyTwoCharacters);

// Every text at a new turn: its glyphs are rendered, none comes from the
// cache.
void GlyphsRenderedAfresh(benchmark::State& state) {
  karvex::FreeTypeTextRasterizer rasterizer(karvex::kIpaGothicPath);
  Picture picture;
  std::int32_t escapement = 0;
  for (auto _ : state) {
    escapement = escapement % 3599 + 1;
    rasterizer.DrawText(picture.rows.data(), kWidth, kHeight, 200, 200, "AB\x90\x7D", 24, escapement);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(GlyphsRenderedAfresh);

// A megabyte of text that starts far to the left and never reaches the
// picture.
void LongTextFarOutside(benchmark::State& state) {
  DrawRepeatedly(state, std::string(1u << 20, 'A'), -2000000000, 100, 24, 0);
}
BENCHMARK(LongTextFarOutside);

// A glyph far larger than the picture: only the part over it is rendered.
void HugeGlyphOverThePicture(benchmark::State& state) {
  DrawRepeatedly(state, "\x81\xA1", -15000, -24000, 60000, 0);
}
BENCHMARK(HugeGlyphOverThePicture);

void LoadingTheFace(benchmark::State& state) {
  for (auto _ : state) {
    karvex::FreeTypeTextRasterizer rasterizer(karvex::kIpaGothicPath);
    benchmark::DoNotOptimize(rasterizer.Ready());
  }
}
BENCHMARK(LoadingTheFace);

}  // namespace


