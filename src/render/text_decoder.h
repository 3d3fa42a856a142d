#pragma once
// Turns the bytes of a drawing's text into characters for the text
// rasterizer. The plug-in's texts are code page 932 (Cp932Decoder); the
// converter may choose another decoding per drawing.
#include <string>
#include <string_view>

namespace karvex {

class TextDecoder {
 public:
  virtual ~TextDecoder() = default;
  // Replaces out with the characters of text. Never fails: bytes that name
  // no character give a replacement character.
  virtual void Decode(std::string_view text, std::u32string& out) = 0;
};

}  // namespace karvex
