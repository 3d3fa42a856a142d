// karvex: the native converter. Draws DXF files with exactly the plug-in's
// reading and drawing rules and writes PNG or BMP.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/bmp_file.h"
#include "karvex/png_writer.h"
#include "plugin/bitmap_headers.h"
#include "plugin/host_memory.h"
#include "plugin/plugin_body.h"
#include "render/freetype_text.h"
#include "render/raster_surface.h"
#include "settings/file_settings_store.h"

namespace {

constexpr char kUsage[] =
    "usage: karvex render INPUT -o OUTPUT\n"
    "\n"
    "Draws the DXF file INPUT and writes it as OUTPUT (.png or .bmp).\n"
    "The picture's size comes from DXF_W and DXF_H in the [System] section of\n"
    "$XDG_CONFIG_HOME/karvex/settings.ini (default ~/.config/karvex/settings.ini),\n"
    "640 x 453 without it.\n";

bool EndsWith(const std::string& text, const char* suffix) {
  const std::size_t n = std::strlen(suffix);
  if (text.size() < n) return false;
  for (std::size_t i = 0; i < n; ++i) {
    char c = text[text.size() - n + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != suffix[i]) return false;
  }
  return true;
}

int Render(const std::string& input, const std::string& output) {
  karvex::PortableHostMemory memory;
  karvex::FreeTypeTextRasterizer text;
  if (!text.Problem().empty()) std::fprintf(stderr, "karvex: %s\n", text.Problem().c_str());
  karvex::RasterSurfaceFactory surfaces(&text);
  // The user's settings file, as the plug-in's settings: read, never written.
  karvex::FileSettingsStore settingsFile(karvex::DefaultSettingsFilePath());
  karvex::ReadOnlySettingsStore store(settingsFile);
  karvex::PluginPlatform platform;
  platform.memory = &memory;
  platform.surfaces = &surfaces;
  platform.settingsStore = &store;
  karvex::TInSPIBody body(platform);

  karvex::HostHandle info = nullptr;
  karvex::HostHandle pixels = nullptr;
  const std::int32_t result = body.GetPictureCore(input.c_str(), 0, 0, &info, &pixels, nullptr, 0);
  if (result != 0) {
    std::fprintf(stderr, "karvex: %s: cannot draw (result %d)\n", input.c_str(), result);
    return 1;
  }
  const auto* header = static_cast<const karvex::BitmapInfoHeader*>(memory.Lock(info));
  const auto* rows = static_cast<const std::uint8_t*>(memory.Lock(pixels));
  bool written = false;
  if (std::FILE* file = std::fopen(output.c_str(), "wb")) {
    if (EndsWith(output, ".png")) {
      written = karvex::tools::WritePng(file, header->biWidth, header->biHeight, rows,
                                        memory.SizeOf(pixels) / static_cast<std::size_t>(header->biHeight));
    } else {
      const auto bytes = karvex::tools::BmpFileFromBlocks(header, rows, memory.SizeOf(pixels));
      written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    written = std::fclose(file) == 0 && written;
  }
  memory.Unlock(pixels);
  memory.Unlock(info);
  memory.Free(pixels);
  memory.Free(info);
  if (!written) {
    std::fprintf(stderr, "karvex: %s: cannot write\n", output.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::strcmp(argv[1], "render") == 0 && std::strcmp(argv[3], "-o") == 0) {
    return Render(argv[2], argv[4]);
  }
  std::fputs(kUsage, stderr);
  return 2;
}
