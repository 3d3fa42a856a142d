#pragma once
// Letter case of ASCII names (code page names, file extensions, option
// values, manual page headings): only A-Z and a-z change, whatever the
// locale, and bytes of other scripts pass through untouched.
#include <string>
#include <string_view>

namespace karvex {

inline std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return out;
}

inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return out;
}

}  // namespace karvex
