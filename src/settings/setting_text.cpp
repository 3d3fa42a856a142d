#include "settings/setting_text.h"

namespace karvex {

std::optional<std::int32_t> ParseSettingText(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  // Accumulated as a magnitude so that -2147483648 fits.
  const std::uint32_t limit = negative ? 2147483648u : 2147483647u;
  std::uint32_t magnitude = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint32_t>(c - '0');
    if (magnitude > (limit - digit) / 10) return std::nullopt;
    magnitude = magnitude * 10 + digit;
  }
  if (!negative) return static_cast<std::int32_t>(magnitude);
  return static_cast<std::int32_t>(0u - magnitude);
}

std::string SettingText(std::int32_t value) { return std::to_string(value); }

}  // namespace karvex
