#include "karvex/text_encoding.h"

#include <algorithm>

#include "karvex/cli_options.h"
#include "karvex/drawing_facts.h"
#include "render/code_page_decoder.h"
#include "render/cp932_decoder.h"
#include "render/unicode_escape_decoder.h"
#include "render/utf8_decoder.h"

namespace karvex::tools {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
  return out;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsCp932Name(const std::string& upper) {
  return upper == "CP932" || upper == "932" || upper == "SHIFT_JIS" || upper == "SHIFT-JIS" || upper == "SJIS" ||
         upper == "WINDOWS-31J" || upper == "MS932";
}

bool IsUtf8Name(const std::string& upper) { return upper == "UTF-8" || upper == "UTF8"; }

}  // namespace

ChosenDecoding::ChosenDecoding(std::unique_ptr<TextDecoder> bytes, bool expandEscapes, std::string description)
    : bytes_(std::move(bytes)), description_(std::move(description)) {
  if (expandEscapes) escapes_ = std::make_unique<UnicodeEscapeDecoder>(*bytes_);
}
ChosenDecoding::~ChosenDecoding() = default;
ChosenDecoding::ChosenDecoding(ChosenDecoding&&) noexcept = default;
ChosenDecoding& ChosenDecoding::operator=(ChosenDecoding&&) noexcept = default;

std::optional<std::string> IconvNameOfCodePage(std::string_view dwgCodePage) {
  const std::string upper = Upper(dwgCodePage);
  for (const char* prefix : {"ANSI_", "DOS"}) {
    const std::string_view p(prefix);
    if (upper.rfind(p, 0) == 0 && AllDigits(std::string_view(upper).substr(p.size()))) {
      return "CP" + upper.substr(p.size());
    }
  }
  if (upper.rfind("ISO8859-", 0) == 0 && AllDigits(std::string_view(upper).substr(8))) {
    return "ISO-8859-" + upper.substr(8);
  }
  if (upper == "MAC-ROMAN" || upper == "MACINTOSH") return "MACINTOSH";
  if (upper == "BIG5") return "BIG5";
  if (upper == "GB2312") return "GB2312";
  if (upper == "KSC5601") return "CP949";
  if (upper == "JOHAB") return "JOHAB";
  if (IsUtf8Name(upper)) return "UTF-8";
  // Texts that claim to be ASCII yet hold other bytes were most likely
  // written in the Western code page.
  if (upper == "ASCII") return "CP1252";
  return std::nullopt;
}

EncodingPolicy EncodingPolicy::FromOption(const std::string& option) {
  const std::string upper = Upper(option);
  if (upper == "AUTO") return {Kind::Automatic, "", "auto"};
  if (IsCp932Name(upper)) return {Kind::Cp932, "", "cp932"};
  if (IsUtf8Name(upper)) return {Kind::Utf8, "", "utf-8"};
  std::string iconvName = IconvNameOfCodePage(option).value_or(option);
  if (iconvName == "CP932") return {Kind::Cp932, "", "cp932"};
  if (iconvName == "UTF-8") return {Kind::Utf8, "", "utf-8"};
  if (!CodePageDecoder(iconvName).Usable()) {
    throw UsageError("--encoding: unknown encoding '" + option +
                     "' (try auto, cp932, utf-8, ANSI_1252, cp1251, DOS850)");
  }
  return {Kind::CodePage, iconvName, option};
}

ChosenDecoding EncodingPolicy::DecodingFor(const DrawingFacts& facts) const {
  switch (kind_) {
    case Kind::Cp932:
      return {std::make_unique<Cp932Decoder>(), false, "code page 932 (--encoding)"};
    case Kind::Utf8:
      return {std::make_unique<Utf8Decoder>(), false, "UTF-8 (--encoding)"};
    case Kind::CodePage:
      return {std::make_unique<CodePageDecoder>(iconvName_), false, shownName_ + " (--encoding)"};
    case Kind::Automatic:
      break;
  }
  if (facts.acadVersion && IsUtf8Version(*facts.acadVersion)) {
    return {std::make_unique<Utf8Decoder>(), true, "UTF-8 (version " + *facts.acadVersion + ")"};
  }
  if (facts.dwgCodePage) {
    const std::optional<std::string> iconvName = IconvNameOfCodePage(*facts.dwgCodePage);
    if (iconvName == "CP932") {
      return {std::make_unique<Cp932Decoder>(), true, "code page 932 ($DWGCODEPAGE " + *facts.dwgCodePage + ")"};
    }
    if (iconvName == "UTF-8") {
      return {std::make_unique<Utf8Decoder>(), true, "UTF-8 ($DWGCODEPAGE " + *facts.dwgCodePage + ")"};
    }
    if (iconvName) {
      auto decoder = std::make_unique<CodePageDecoder>(*iconvName);
      if (decoder->Usable()) {
        return {std::move(decoder), true, *iconvName + " ($DWGCODEPAGE " + *facts.dwgCodePage + ")"};
      }
    }
  }
  const std::string unknown = facts.dwgCodePage ? "; $DWGCODEPAGE " + *facts.dwgCodePage + " is not known" : "";
  return {std::make_unique<Cp932Decoder>(), true, "code page 932 (the plug-in's" + unknown + ")"};
}

}  // namespace karvex::tools
