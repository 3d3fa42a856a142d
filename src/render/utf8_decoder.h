#pragma once
// Text bytes as UTF-8, the encoding of drawings from version AC1021 on.
#include "render/text_decoder.h"

namespace karvex {

class Utf8Decoder final : public TextDecoder {
 public:
  // What a byte that starts no valid sequence turns into.
  static constexpr char32_t kReplacement = U'\uFFFD';

  // Each byte that cannot start or continue a well-formed sequence (an
  // overlong form, a surrogate, a value past U+10FFFF, a cut-off sequence)
  // gives one replacement character, and decoding goes on with the next byte.
  void Decode(std::string_view text, std::u32string& out) override;
};

}  // namespace karvex
