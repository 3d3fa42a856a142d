#pragma once
// The settings the converter draws with: the user's settings file, read
// once per run and never written, with --size over its picture size.
#include <optional>

#include "karvex/cli_options.h"
#include "settings/settings.h"

namespace karvex::tools {

Settings LoadConverterSettings(const std::optional<PictureSize>& size);

}  // namespace karvex::tools
