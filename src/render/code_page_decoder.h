#pragma once
// Text bytes in a code page the C library's converter knows by name (CP1252,
// CP1251, CP850, MACINTOSH, ...): for drawings whose $DWGCODEPAGE names one.
#include <string>

#include "render/text_decoder.h"

namespace karvex {

class CodePageDecoder final : public TextDecoder {
 public:
  static constexpr char32_t kReplacement = U'\uFFFD';

  // Opens the converter; Usable() says whether the C library knows the name.
  explicit CodePageDecoder(const std::string& iconvName);
  ~CodePageDecoder() override;
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  bool Usable() const;

  // A byte where no character starts (or a sequence cut off at the end)
  // gives one replacement character; decoding goes on after it.
  void Decode(std::string_view text, std::u32string& out) override;

 private:
  void* converter_;  // iconv_t
};

}  // namespace karvex
