#include "karvex/converter_settings.h"

#include "settings/file_settings_store.h"

namespace karvex::tools {

Settings LoadConverterSettings(const std::optional<PictureSize>& size, const DrawingChoices& choices) {
  FileSettingsStore file(DefaultSettingsFilePath());
  Settings settings = file.LoadSettings();
  if (size) {
    settings.OutputWidth = size->width;
    settings.OutputHeight = size->height;
  }
  ApplyChoices(choices, settings);
  return settings;
}

void ApplyChoices(const DrawingChoices& choices, Settings& settings) {
  if (choices.alignment) settings.CenterPos = *choices.alignment;
  if (choices.lineTypes) settings.LineTypes = *choices.lineTypes ? 1 : 0;
  if (choices.lineColours) settings.LineColors = *choices.lineColours ? 1 : 0;
  if (choices.allKinds) settings.AllKinds = *choices.allKinds ? 1 : 0;
  if (choices.background) settings.BackColor = *choices.background;
}

}  // namespace karvex::tools
