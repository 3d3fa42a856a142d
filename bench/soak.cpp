// Renders one drawing many times in one loaded plug-in object and checks that
// memory stays flat and every picture is the same as the first.
//   karvex_soak [DRAWING] [REQUESTS]   (defaults: samples/sample.dxf, 10000)
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench_data.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/freetype_text.h"
#include "render/raster_surface.h"
#include "settings/settings_store.h"

namespace {

// Resident set size in KiB, from /proc.
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "samples/sample.dxf";
  const long requests = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10000;
  const std::string text = karvex::bench::ReadWhole(path);
  if (text.empty()) {
    std::fprintf(stderr, "karvex_soak: cannot read %s\n", path.c_str());
    return 2;
  }
  karvex::PortableHostMemory memory;
  karvex::FreeTypeTextRasterizer textFace;  // texts too: its caches must stay bounded
  karvex::RasterSurfaceFactory surfaces(&textFace);
  karvex::MemorySettingsStore store;
  karvex::PluginPlatform platform;
  platform.memory = &memory;
  platform.surfaces = &surfaces;
  platform.settingsStore = &store;
  karvex::TInSPIBody body(platform);

  std::vector<unsigned char> first;
  long rssAfterWarmUp = 0;
  long rssHighest = 0;
  for (long i = 0; i < requests; ++i) {
    karvex::HostHandle info = nullptr;
    karvex::HostHandle pixels = nullptr;
    const std::int32_t result =
        body.GetPictureCore(text.data(), static_cast<std::int32_t>(text.size()), 1, &info, &pixels, nullptr, 0);
    if (result != 0) {
      std::fprintf(stderr, "karvex_soak: request %ld gave %d\n", i, result);
      return 1;
    }
    const auto* bytes = static_cast<const unsigned char*>(memory.Lock(pixels));
    const std::size_t size = memory.SizeOf(pixels);
    if (i == 0) {
      first.assign(bytes, bytes + size);
    } else if (size != first.size() || std::memcmp(bytes, first.data(), size) != 0) {
      std::fprintf(stderr, "karvex_soak: picture %ld differs from the first\n", i);
      return 1;
    }
    memory.Unlock(pixels);
    memory.Free(pixels);
    memory.Free(info);
    const long rss = ResidentKiB();
    if (i == 99) rssAfterWarmUp = rss;
    if (rss > rssHighest) rssHighest = rss;
    if ((i + 1) % (requests / 10 > 0 ? requests / 10 : 1) == 0) {
      std::printf("requests %ld  resident %ld KiB  live host blocks %lld\n", i + 1, rss,
                  static_cast<long long>(memory.LiveBlocks()));
    }
  }
  const long growth = rssHighest - rssAfterWarmUp;
  std::printf("pictures identical: yes\nresident after 100 requests %ld KiB, highest %ld KiB, growth %ld KiB\n",
              rssAfterWarmUp, rssHighest, growth);
  // A leak of even one small allocation per request shows as hundreds of KiB
  // over 10,000 requests; allocator noise stays well below this.
  const bool flat = growth < 1024 && memory.LiveBlocks() == 0;
  std::printf("memory flat: %s\n", flat ? "yes" : "NO");
  return flat ? 0 : 1;
}
