#pragma once
// The settings the converter draws with: the user's settings file, read
// once per run and never written, with --size over its picture size and the
// run's --align, --line-types and --colours over its alignment and options.
#include <optional>

#include "karvex/cli_options.h"
#include "settings/settings.h"

namespace karvex::tools {

Settings LoadConverterSettings(const std::optional<PictureSize>& size, const DrawingChoices& choices);

// The choices that are made, over settings.
void ApplyChoices(const DrawingChoices& choices, Settings& settings);

}  // namespace karvex::tools
