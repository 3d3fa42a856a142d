#pragma once
// How the converter turns a drawing's text bytes into characters.
//
// The plug-in reads every text as code page 932, and so does the converter
// when the drawing says nothing more. By default ("auto") it follows what
// the drawing says: from version AC1021 on texts are UTF-8; before that the
// code page $DWGCODEPAGE names (ANSI_1252, ANSI_1251, DOS850, ...) is used;
// and "\U+XXXX" escapes become their characters. A named encoding
// (--encoding) is used for every text exactly as named, escapes left as
// they are, so "cp932" draws texts exactly as the plug-in does.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dxf/text_encoding.h"
#include "render/text_decoder.h"

namespace karvex::tools {

struct DrawingFacts;

// The decoding of one drawing's texts.
class ChosenDecoding {
 public:
  ChosenDecoding(std::unique_ptr<TextDecoder> bytes, bool expandEscapes, std::string description,
                 TextEncoding encoding);
  ~ChosenDecoding();
  ChosenDecoding(ChosenDecoding&&) noexcept;
  ChosenDecoding& operator=(ChosenDecoding&&) noexcept;

  TextDecoder& Decoder() { return escapes_ ? *escapes_ : *bytes_; }
  // For people: "UTF-8 (version AC1027)", "code page 932 (the plug-in's)".
  const std::string& Description() const { return description_; }
  // The same choice as the drawing walk sees it (which bytes make one
  // character, for MTEXT's codes and word wrapping).
  const TextEncoding& Encoding() const { return encoding_; }

 private:
  std::unique_ptr<TextDecoder> bytes_;
  std::unique_ptr<TextDecoder> escapes_;
  std::string description_;
  TextEncoding encoding_;
};

// The C library's name of the code page a $DWGCODEPAGE value names
// ("ANSI_1252" -> "CP1252", "DOS850" -> "CP850", "MAC-ROMAN" ->
// "MACINTOSH"), any case; empty for a name it does not know.
std::optional<std::string> IconvNameOfCodePage(std::string_view dwgCodePage);

class EncodingPolicy {
 public:
  // From --encoding: "auto", "cp932" (also "shift_jis", "sjis"), "utf-8",
  // a $DWGCODEPAGE name, or any code page name the C library knows.
  // Raises UsageError for one it does not know.
  static EncodingPolicy FromOption(const std::string& option);

  ChosenDecoding DecodingFor(const DrawingFacts& facts) const;

 private:
  enum class Kind { Automatic, Cp932, Utf8, CodePage };
  EncodingPolicy(Kind kind, std::string iconvName, std::string shownName)
      : kind_(kind), iconvName_(std::move(iconvName)), shownName_(std::move(shownName)) {}
  Kind kind_;
  std::string iconvName_;
  std::string shownName_;
};

}  // namespace karvex::tools
