#include "render/cp932_decoder.h"

#include <iconv.h>

namespace karvex {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// Single bytes the C library's table leaves out but the platform's
// conversion maps: 0x80 to U+0080, 0xA0 and 0xFD to 0xFF into the private
// use area.
char32_t DecodeSingleByte(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xA1 && byte <= 0xDF) return U'\uFF61' + (byte - 0xA1);  // half-width katakana
  if (byte == 0x80) return U'\u0080';
  if (byte == 0xA0) return U'\uF8F0';
  return U'\uF8F1' + (byte - 0xFD);
}

}  // namespace

// The converter names its encodings itself, so nothing here reads the
// process locale.
Cp932Decoder::Cp932Decoder() : converter_(iconv_open("UTF-32BE", "CP932")) {}

Cp932Decoder::~Cp932Decoder() {
  if (converter_ != kNoConverter) iconv_close(static_cast<iconv_t>(converter_));
}

bool Cp932Decoder::ConvertsDoubleBytes() const { return converter_ != kNoConverter; }

void Cp932Decoder::Decode(std::string_view text, std::u32string& out) {
  out.clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(byte)) {
      out.push_back(DecodeSingleByte(byte));
    } else if (i + 1 == text.size()) {
      out.push_back(kDefaultCharacter);
    } else {
      out.push_back(DecodePair(byte, static_cast<unsigned char>(text[++i])));
    }
  }
}

char32_t Cp932Decoder::DecodePair(unsigned char lead, unsigned char trail) {
  if (!IsTrailByte(trail) || converter_ == kNoConverter) return kDefaultCharacter;
  char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  unsigned char utf32[8] = {};
  char* inPtr = in;
  std::size_t inLeft = sizeof in;
  char* outPtr = reinterpret_cast<char*>(utf32);
  std::size_t outLeft = sizeof utf32;
  iconv_t converter = static_cast<iconv_t>(converter_);
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  const std::size_t converted = iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft);
  if (converted == static_cast<std::size_t>(-1) || inLeft != 0 || outLeft != sizeof utf32 - 4) {
    return kDefaultCharacter;
  }
  return static_cast<char32_t>(utf32[0]) << 24 | static_cast<char32_t>(utf32[1]) << 16 |
         static_cast<char32_t>(utf32[2]) << 8 | static_cast<char32_t>(utf32[3]);
}

}  // namespace karvex
