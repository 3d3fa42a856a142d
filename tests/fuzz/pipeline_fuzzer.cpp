// Feeds arbitrary bytes as a memory image through the whole picture pipeline
// (reader, section readers, drawers, block replay, FreeType text) at a small
// output size,
// twice in one plug-in object so that state carried between requests is
// exercised too; once as the default picture, once with every option on
// (all kinds, framed, line types and colours). Any crash, sanitizer report
// or hang is a finding.
#include <cstddef>
#include <cstdint>

#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/freetype_text.h"
#include "render/raster_surface.h"
#include "settings/settings_store.h"

namespace {

std::int32_t KeepGoing(std::int32_t, std::int32_t, std::intptr_t) { return 0; }

void Exercise(const std::uint8_t* data, std::size_t size, karvex::Settings settings) {
  settings.OutputWidth = 64;
  settings.OutputHeight = 48;
  karvex::MemorySettingsStore store(settings);
  karvex::PortableHostMemory memory;
  static karvex::FreeTypeTextRasterizer text;  // the face is loaded once
  karvex::RasterSurfaceFactory surfaces(&text);
  karvex::PluginPlatform platform;
  platform.memory = &memory;
  platform.surfaces = &surfaces;
  platform.settingsStore = &store;
  karvex::TInSPIBody body(platform);
  for (int request = 0; request < 2; ++request) {
    karvex::HostHandle info = nullptr;
    karvex::HostHandle pixels = nullptr;
    const std::int32_t result = body.GetPictureCore(reinterpret_cast<const char*>(data),
                                                    static_cast<std::int32_t>(size), 1, &info, &pixels, &KeepGoing, 0);
    if (result == 0) {
      if (info == nullptr || pixels == nullptr || memory.SizeOf(pixels) != 64 * 3 * 48) __builtin_trap();
    } else if (info != nullptr || pixels != nullptr) {
      __builtin_trap();
    }
    memory.Free(info);
    memory.Free(pixels);
  }
  if (memory.LiveBlocks() != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > INT32_MAX) return 0;
  Exercise(data, size, karvex::Settings{});
  karvex::Settings everything;
  everything.AllKinds = 1;
  everything.CenterPos = 3;
  everything.LineTypes = 1;
  everything.LineColors = 1;
  Exercise(data, size, everything);
  return 0;
}
