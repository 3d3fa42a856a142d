#include "karvex/config_command.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "karvex/converter_settings.h"
#include "settings/file_settings_store.h"
#include "settings/setting_text.h"
#include "settings/settings_file_text.h"

namespace karvex::tools {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One side of the picture size, marked where render would not draw what the
// file says: a value that is no number is read as the default, one below 1
// is refused.
void ShowSide(const char* label, const char* name, const char* option, std::int32_t value, const std::string& file) {
  std::string mark;
  const std::optional<std::string> stored = StoredValueText(file, "System", name);
  if (stored && !ParseSettingText(*stored)) {
    mark = std::string(" (the file holds ") + name + "=" + *stored +
           ", not a whole number: render uses the default)";
  } else if (value < kSmallestSide) {
    mark = std::string(" (render refuses it: set 1 to 9999 with 'karvex config ") + option + " N')";
  }
  std::printf("%-14s%d%s\n", label, value, mark.c_str());
}

void Show(const std::filesystem::path& path, const Settings& settings, const char* state) {
  const std::string file = ReadText(path);
  std::printf("settings file %s (%s)\n", path.c_str(), state);
  ShowSide("width", "DXF_W", "--width", settings.OutputWidth, file);
  ShowSide("height", "DXF_H", "--height", settings.OutputHeight, file);
  std::printf("%-14s%s (mode %d)\n", "alignment", AlignmentName(settings.CenterPos), settings.CenterPos);
  std::printf("%-14s%s\n", "line types", settings.LineTypes != 0 ? "on" : "off");
  std::printf("%-14s%s\n", "colours", settings.LineColors != 0 ? "on" : "off");
  std::printf("%-14s%s\n", "all kinds", settings.AllKinds != 0 ? "on" : "off");
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
  ApplyChoices(options.choices, settings);

  store.SaveSettings(settings);
  // The store gives up silently when it cannot write: read back to know.
  const Settings written = store.LoadSettings();
  if (written.OutputWidth != settings.OutputWidth || written.OutputHeight != settings.OutputHeight ||
      written.CenterPos != settings.CenterPos || written.LineTypes != settings.LineTypes ||
      written.LineColors != settings.LineColors || written.AllKinds != settings.AllKinds ||
      !std::filesystem::exists(path, error)) {
    std::fprintf(stderr, "karvex: cannot write the settings file %s\n", path.c_str());
    return 1;
  }
  Show(path, written, "written");
  return 0;
}

}  // namespace karvex::tools
