// Whole pictures, as a host asks for them: MB/s of DXF text from the memory
// image to the two host blocks, at the default 640 x 453.
#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/raster_surface.h"
#include "settings/settings_store.h"

namespace karvex::bench {
namespace {

void RenderPictures(benchmark::State& state, const std::string& text) {
  PortableHostMemory memory;
  RasterSurfaceFactory surfaces;
  MemorySettingsStore store;
  PluginPlatform platform;
  platform.memory = &memory;
  platform.surfaces = &surfaces;
  platform.settingsStore = &store;
  TInSPIBody body(platform);
  for (auto _ : state) {
    HostHandle info = nullptr;
    HostHandle pixels = nullptr;
    const std::int32_t result = body.GetPictureCore(text.data(), static_cast<std::int32_t>(text.size()), 1, &info,
                                                    &pixels, nullptr, 0);
    if (result != 0) state.SkipWithError("the picture failed");
    memory.Free(info);
    memory.Free(pixels);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

const bool kRegistered = [] {
  auto add = [](const std::string& name, const std::string& path) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [path](benchmark::State& state) { RenderPictures(state, ReadWhole(path)); })
        ->Unit(benchmark::kMillisecond);
  };
  for (const BenchFile& file : BigDrawings()) add("BM_Picture/" + file.label, file.path);
  for (const BenchFile& file : LargestCorpusFiles(4)) add("BM_Picture/corpus/" + file.label, file.path);
  return true;
}();

}  // namespace
}  // namespace karvex::bench
