#include "karvex/converter_settings.h"

#include "settings/file_settings_store.h"

namespace karvex::tools {

Settings LoadConverterSettings(const std::optional<PictureSize>& size) {
  FileSettingsStore file(DefaultSettingsFilePath());
  Settings settings = file.LoadSettings();
  if (size) {
    settings.OutputWidth = size->width;
    settings.OutputHeight = size->height;
  }
  return settings;
}

}  // namespace karvex::tools
