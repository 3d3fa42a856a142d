#pragma once
// The text form of a stored setting, shared by every store: the decimal
// form of a signed 32-bit integer.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace karvex {

// An optional sign ("-" or "+") followed by one or more decimal digits and
// nothing else, within the 32-bit range. Leading zeros are accepted ("007"
// is 7); blanks, letters, hexadecimal and anything around the number are
// not. Empty when the text is not such a number.
std::optional<std::int32_t> ParseSettingText(std::string_view text);

// The stored form: an optional minus sign, then digits without leading
// zeros ("640", "-5", "0").
std::string SettingText(std::int32_t value);

}  // namespace karvex
