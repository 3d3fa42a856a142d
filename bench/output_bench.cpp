// What the converter's other outputs add to the drawing of a picture: the
// default picture, the smooth one (--smooth), and the default one with an
// SVG document written beside it (to /dev/null), from the memory image on
// one thread, at the default size and at 4000 x 2832. Compare the CPU
// times of one drawing across the three.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_data.h"
#include "karvex/svg_surface.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/cp932_decoder.h"
#include "render/raster_surface.h"
#include "render/smooth_raster_surface.h"
#include "settings/settings_store.h"

namespace karvex::bench {
namespace {

enum class Output { Default, Smooth, Svg };

void DrawPictures(benchmark::State& state, const std::string& text, Output output, std::int32_t width,
                  std::int32_t height) {
  PortableHostMemory memory;
  RasterSurfaceFactory raster;
  SmoothRasterSurfaceFactory smooth;
  std::FILE* nowhere = std::fopen("/dev/null", "wb");
  Cp932Decoder decoder;
  tools::SvgSurfaceFactory svg(raster, nowhere, decoder, nullptr);
  Settings settings;
  settings.OutputWidth = width;
  settings.OutputHeight = height;
  MemorySettingsStore store(settings);
  PluginPlatform platform;
  platform.memory = &memory;
  platform.surfaces = output == Output::Smooth ? static_cast<SurfaceFactory*>(&smooth)
                      : output == Output::Svg  ? static_cast<SurfaceFactory*>(&svg)
                                               : &raster;
  platform.settingsStore = &store;
  TInSPIBody body(platform);
  for (auto _ : state) {
    HostHandle info = nullptr;
    HostHandle pixels = nullptr;
    const std::int32_t result = body.GetPictureCore(text.data(), static_cast<std::int32_t>(text.size()), 1, &info,
                                                    &pixels, nullptr, 0);
    if (result != 0 || (output == Output::Svg && !svg.Finish())) state.SkipWithError("the picture failed");
    memory.Free(info);
    memory.Free(pixels);
  }
  std::fclose(nowhere);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

const bool kRegistered = [] {
  struct Kind {
    const char* name;
    Output output;
  };
  const Kind kinds[] = {{"default", Output::Default}, {"smooth", Output::Smooth}, {"svg", Output::Svg}};
  const std::pair<std::int32_t, std::int32_t> sizes[] = {{640, 453}, {4000, 2832}};
  for (const BenchFile& file : BigDrawings()) {
    if (file.label.find("50mb_crlf") == std::string::npos) continue;
    for (const auto& [width, height] : sizes) {
      for (const Kind& kind : kinds) {
        const std::string name = "BM_Output/" + file.label + "/" + std::to_string(width) + "x" +
                                 std::to_string(height) + "/" + kind.name;
        const std::string path = file.path;
        const Output output = kind.output;
        benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
          DrawPictures(state, ReadWhole(path), output, width, height);
        })->Unit(benchmark::kMillisecond);
      }
    }
  }
  return true;
}();

}  // namespace
}  // namespace karvex::bench
