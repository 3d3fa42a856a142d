#pragma once
// Decodes with another decoder, then turns the escapes "\U+XXXX" (four hex
// digits, a character of the Basic Multilingual Plane, or two escapes
// making a surrogate pair) into their characters. Drawings write
// characters their code page lacks this way.
#include "render/text_decoder.h"

namespace karvex {

class UnicodeEscapeDecoder final : public TextDecoder {
 public:
  static constexpr char32_t kReplacement = U'\uFFFD';

  // bytes is not owned and outlives this decoder.
  explicit UnicodeEscapeDecoder(TextDecoder& bytes) : bytes_(bytes) {}

  // The escapes are looked for among the decoded characters, so a
  // double-byte character whose second byte is a backslash never starts
  // one. A surrogate that is not part of a pair gives a replacement
  // character.
  void Decode(std::string_view text, std::u32string& out) override;

 private:
  TextDecoder& bytes_;
};

}  // namespace karvex
