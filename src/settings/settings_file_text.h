#pragma once
// The text of the settings file: INI-style "[System]" and "[Color]" sections
// of "Name=value" lines, with the value names and decimal texts the registry
// uses.
//
//   [System]
//   Version=2
//   DXF_W=640
//   ...
//
// Section and value names match without regard to case, as registry names
// do. Blanks around a name, around "=" and at the ends of a line are not
// part of the text; the value between them must be a whole decimal number
// (see ParseSettingText). Lines starting with ";" or "#" are comments.
#include <optional>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace karvex {

// The settings a file text holds. A missing section or value, or a value
// that is not a number, takes its default. The first line of a value
// counts; later lines of the same name are ignored.
Settings ReadSettingsFileText(std::string_view text);

// The value text the file holds for one setting ("System", "DXF_W"): the
// first line of that name in its section, without the blanks around it,
// whether or not it is a number. None when the text has no such line.
std::optional<std::string> StoredValueText(std::string_view text, std::string_view section, std::string_view name);

// The new text of a file that held `previous` (empty for a new file). The
// user's own lines (comments, blank lines, unknown values and sections) stay
// as they are; each setting's line is rewritten in place as "Name=value"
// and later lines of the same name are dropped; a missing value is added at
// the end of its section, a missing section at the end of the text. All
// fourteen values are written, "Version" as 2.
std::string WriteSettingsFileText(const Settings& settings, std::string_view previous);

}  // namespace karvex
