#pragma once
// Text bytes as the platform reads them for the gothic face: code page 932,
// Shift-JIS with the Windows extensions (NEC special characters, NEC-selected
// and IBM extensions, half-width katakana, the user-defined area).
#include <cstdint>
#include <string>
#include <string_view>

#include "render/text_decoder.h"

namespace karvex {

class Cp932Decoder final : public TextDecoder {
 public:
  // What an unmapped or cut-off double-byte character turns into: the code
  // page's default character, "・".
  static constexpr char32_t kDefaultCharacter = U'\u30FB';

  Cp932Decoder();
  ~Cp932Decoder() override;
  Cp932Decoder(const Cp932Decoder&) = delete;
  Cp932Decoder& operator=(const Cp932Decoder&) = delete;

  // False when the C library has no CP932 converter; double-byte characters
  // then all decode to the default character.
  bool ConvertsDoubleBytes() const;

  // Replaces out with the characters of text. Never fails: a lead byte always
  // takes the byte after it, and a pair that names no character (or a lead
  // byte at the very end) gives one default character.
  void Decode(std::string_view text, std::u32string& out) override;

  static bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

 private:
  char32_t DecodePair(unsigned char lead, unsigned char trail);

  void* converter_;  // iconv_t
};

}  // namespace karvex
