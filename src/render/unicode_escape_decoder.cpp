#include "render/unicode_escape_decoder.h"

#include <optional>

namespace karvex {
namespace {

constexpr std::size_t kEscapeLength = 7;  // \U+XXXX

std::optional<char32_t> HexDigit(char32_t c) {
  if (c >= U'0' && c <= U'9') return c - U'0';
  if (c >= U'A' && c <= U'F') return c - U'A' + 10;
  if (c >= U'a' && c <= U'f') return c - U'a' + 10;
  return std::nullopt;
}

// The character of the escape at characters[at], if one starts there.
std::optional<char32_t> EscapeAt(const std::u32string& characters, std::size_t at) {
  if (at + kEscapeLength > characters.size()) return std::nullopt;
  if (characters[at] != U'\\' || (characters[at + 1] != U'U' && characters[at + 1] != U'u') ||
      characters[at + 2] != U'+') {
    return std::nullopt;
  }
  char32_t value = 0;
  for (std::size_t k = 3; k < kEscapeLength; ++k) {
    const std::optional<char32_t> digit = HexDigit(characters[at + k]);
    if (!digit) return std::nullopt;
    value = value << 4 | *digit;
  }
  return value;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

void UnicodeEscapeDecoder::Decode(std::string_view text, std::u32string& out) {
  bytes_.Decode(text, out);
  std::size_t write = 0;
  for (std::size_t read = 0; read < out.size();) {
    const std::optional<char32_t> escaped = EscapeAt(out, read);
    if (!escaped) {
      out[write++] = out[read++];
      continue;
    }
    read += kEscapeLength;
    char32_t character = *escaped;
    if (IsHighSurrogate(character)) {
      const std::optional<char32_t> low = EscapeAt(out, read);
      if (low && IsLowSurrogate(*low)) {
        character = 0x10000 + ((character - 0xD800) << 10) + (*low - 0xDC00);
        read += kEscapeLength;
      } else {
        character = kReplacement;
      }
    } else if (IsLowSurrogate(character)) {
      character = kReplacement;
    }
    out[write++] = character;
  }
  out.resize(write);
}

}  // namespace karvex
