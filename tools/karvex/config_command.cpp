#include "karvex/config_command.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "settings/file_settings_store.h"

namespace karvex::tools {
namespace {

void Show(const std::filesystem::path& path, const Settings& settings, const char* state) {
  std::printf("settings file %s (%s)\n", path.c_str(), state);
  std::printf("width         %d\n", settings.OutputWidth);
  std::printf("height        %d\n", settings.OutputHeight);
}

}  // namespace

std::int32_t PaperRatioSide(std::int32_t side) {
  return static_cast<std::int32_t>(std::lround(static_cast<long double>(side) / std::sqrt(2.0L)));
}

int RunConfig(const ConfigOptions& options) {
  const std::filesystem::path path = DefaultSettingsFilePath();
  if (path.empty()) {
    std::fprintf(stderr, "karvex: no settings file: neither XDG_CONFIG_HOME nor HOME names a folder\n");
    return 1;
  }
  FileSettingsStore store(path);
  Settings settings = store.LoadSettings();
  std::error_code error;
  const bool exists = std::filesystem::exists(path, error);
  if (!options.Edits()) {
    Show(path, settings, exists ? "read" : "not written yet: the defaults");
    return 0;
  }

  if (options.reset) settings = Settings{};
  if (options.width) settings.OutputWidth = *options.width;
  if (options.height) settings.OutputHeight = *options.height;
  if (options.ratio && options.width) settings.OutputHeight = PaperRatioSide(*options.width);
  if (options.ratio && options.height) settings.OutputWidth = PaperRatioSide(*options.height);

  store.SaveSettings(settings);
  // The store gives up silently when it cannot write: read back to know.
  const Settings written = store.LoadSettings();
  if (written.OutputWidth != settings.OutputWidth || written.OutputHeight != settings.OutputHeight ||
      !std::filesystem::exists(path, error)) {
    std::fprintf(stderr, "karvex: cannot write the settings file %s\n", path.c_str());
    return 1;
  }
  Show(path, written, "written");
  return 0;
}

}  // namespace karvex::tools
