// Whole pictures, as a host asks for them: MB/s of DXF text from the memory
// image to the two host blocks, at the default 640 x 453. The ReadAhead
// forms split the text on a second thread (wall-clock time). The large
// drawings are also drawn with each option: fitted (alignment mode 3, which
// walks the drawing twice), in their line types, in their colours.
#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/raster_surface.h"
#include "settings/settings_store.h"

namespace karvex::bench {
namespace {

void RenderPictures(benchmark::State& state, const std::string& text, bool readAhead = false,
                    const Settings& settings = {}) {
  PortableHostMemory memory;
  RasterSurfaceFactory surfaces;
  MemorySettingsStore store(settings);
  PluginPlatform platform;
  platform.memory = &memory;
  platform.surfaces = &surfaces;
  platform.settingsStore = &store;
  platform.readAhead = readAhead;
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

// count INSERTs of a block of blockSize lines: the replay re-reads the block
// for every insertion, so the time grows with count x blockSize.
std::string InsertDrawing(int count, int blockSize) {
  std::string text = "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMAX\r\n 10\r\n1000\r\n 20\r\n1000\r\n"
                     "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nBLOCK\r\n  2\r\nB\r\n"
                     " 10\r\n0.0\r\n 20\r\n0.0\r\n";
  for (int i = 0; i < blockSize; ++i) {
    text += "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n" + std::to_string(i % 10) + ".5\r\n 20\r\n0.25\r\n 11\r\n" +
            std::to_string(i % 10) + ".5\r\n 21\r\n9.75\r\n";
  }
  text += "  0\r\nENDBLK\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  for (int i = 0; i < count; ++i) {
    text += "  0\r\nINSERT\r\n  2\r\nB\r\n 10\r\n" + std::to_string((i * 37) % 990) + "\r\n 20\r\n" +
            std::to_string((i * 91) % 990) + "\r\n 50\r\n" + std::to_string(i % 360) + "\r\n";
  }
  return text + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

void BM_Inserts(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  const auto blockSize = static_cast<int>(state.range(1));
  const std::string text = InsertDrawing(count, blockSize);
  RenderPictures(state, text);
  state.counters["entities_drawn"] = benchmark::Counter(static_cast<double>(count) * blockSize *
                                                            static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Inserts)
    ->Args({10000, 100})
    ->Args({2500, 100})
    ->Args({5000, 100})
    ->Args({10000, 50})
    ->Args({10000, 200})
    ->Unit(benchmark::kMillisecond);

// count curves with all kinds on: ellipses, arcs of them and splines (by
// control points and by fit points) of every size, in a picture at its
// HEADER's scale (range 1 = 1) or framed by what it draws (3), where a
// curve is cut by what it spans.
std::string CurveDrawing(int count) {
  std::string text = "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMAX\r\n 10\r\n1000\r\n 20\r\n1000\r\n"
                     "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  for (int i = 0; i < count; ++i) {
    const std::string x = std::to_string((i * 37) % 990);
    const std::string y = std::to_string((i * 91) % 990);
    const std::string size = std::to_string(1 + (i * 13) % 200);
    switch (i % 3) {
      case 0:
        text += "  0\r\nELLIPSE\r\n 10\r\n" + x + "\r\n 20\r\n" + y + "\r\n 11\r\n" + size +
                "\r\n 21\r\n5\r\n 40\r\n0.5\r\n 41\r\n" + std::to_string(i % 6) + "\r\n 42\r\n6.28\r\n";
        break;
      case 1:
        text += "  0\r\nSPLINE\r\n 71\r\n3\r\n";
        for (int k = 0; k < 6; ++k) {
          text += " 10\r\n" + std::to_string((i * 37 + k * 31) % 990) + "\r\n 20\r\n" +
                  std::to_string((i * 91 + (k % 2) * 97) % 990) + "\r\n";
        }
        break;
      default:
        text += "  0\r\nSPLINE\r\n";
        for (int k = 0; k < 5; ++k) {
          text += " 11\r\n" + std::to_string((i * 37 + k * 23) % 990) + "\r\n 21\r\n" +
                  std::to_string((i * 91 + (k % 2) * 61) % 990) + "\r\n";
        }
        break;
    }
  }
  return text + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
}

void BM_Curves(benchmark::State& state) {
  const auto count = static_cast<int>(state.range(0));
  Settings settings;
  settings.AllKinds = 1;
  settings.CenterPos = static_cast<std::int32_t>(state.range(1));
  RenderPictures(state, CurveDrawing(count), false, settings);
  state.counters["curves_drawn"] = benchmark::Counter(static_cast<double>(count) * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Curves)->Args({30000, 1})->Args({30000, 3})->Unit(benchmark::kMillisecond);

Settings WithOption(void (*set)(Settings&)) {
  Settings settings;
  set(settings);
  return settings;
}

const bool kRegistered = [] {
  auto add = [](const std::string& name, const std::string& path, bool readAhead = false,
                const Settings& settings = {}) {
    auto* bench = benchmark::RegisterBenchmark(name.c_str(), [path, readAhead, settings](benchmark::State& state) {
      RenderPictures(state, ReadWhole(path), readAhead, settings);
    });
    bench->Unit(benchmark::kMillisecond);
    if (readAhead) bench->UseRealTime();
  };
  const Settings fit = WithOption([](Settings& s) { s.CenterPos = 3; });
  const Settings lineTypes = WithOption([](Settings& s) { s.LineTypes = 1; });
  const Settings colours = WithOption([](Settings& s) { s.LineColors = 1; });
  for (const BenchFile& file : BigDrawings()) {
    add("BM_Picture/" + file.label, file.path);
    add("BM_PictureFit/" + file.label, file.path, false, fit);
    add("BM_PictureLineTypes/" + file.label, file.path, false, lineTypes);
    add("BM_PictureColours/" + file.label, file.path, false, colours);
  }
  for (const BenchFile& file : BigDrawings()) {
    add("BM_PictureReadAhead/" + file.label, file.path, true);
    add("BM_PictureReadAheadFit/" + file.label, file.path, true, fit);
  }
  for (const BenchFile& file : LargestCorpusFiles(4)) add("BM_Picture/corpus/" + file.label, file.path);
  return true;
}();

}  // namespace
}  // namespace karvex::bench
