#include "karvex/text_encoding.h"

#include <algorithm>

#include "base/ascii_case.h"

#include "karvex/cli_options.h"
#include "karvex/drawing_facts.h"
#include "render/code_page_decoder.h"
#include "render/cp932_decoder.h"
#include "render/unicode_escape_decoder.h"
#include "render/utf8_decoder.h"

namespace karvex::tools {
namespace {

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsCp932Name(const std::string& upper) {
  return upper == "CP932" || upper == "932" || upper == "SHIFT_JIS" || upper == "SHIFT-JIS" || upper == "SJIS" ||
         upper == "WINDOWS-31J" || upper == "MS932";
}

bool IsUtf8Name(const std::string& upper) { return upper == "UTF-8" || upper == "UTF8"; }

// The walk's view of a decoding the converter chose: which bytes make one
// character.
TextEncoding Named(std::uint32_t codePage, bool expandEscapes) {
  TextEncoding encoding;
  encoding.source = TextEncoding::Source::Chosen;
  encoding.codePage = codePage;
  encoding.expandEscapes = expandEscapes;
  return encoding;
}

// "CP936" -> 936; 0 for a name without a number (read as single bytes).
std::uint32_t WindowsNumberOf(const std::string& iconvName) {
  const std::string upper = AsciiUpper(iconvName);
  if (upper.rfind("CP", 0) != 0 || !AllDigits(std::string_view(upper).substr(2))) return 0;
  return static_cast<std::uint32_t>(std::stoul(upper.substr(2)));
}

}  // namespace

ChosenDecoding::ChosenDecoding(std::unique_ptr<TextDecoder> bytes, bool expandEscapes, std::string description,
                               TextEncoding encoding)
    : bytes_(std::move(bytes)), description_(std::move(description)), encoding_(std::move(encoding)) {
  if (expandEscapes) escapes_ = std::make_unique<UnicodeEscapeDecoder>(*bytes_);
}
ChosenDecoding::~ChosenDecoding() = default;
ChosenDecoding::ChosenDecoding(ChosenDecoding&&) noexcept = default;
ChosenDecoding& ChosenDecoding::operator=(ChosenDecoding&&) noexcept = default;

std::optional<std::string> IconvNameOfCodePage(std::string_view dwgCodePage) {
  std::optional<CodePageNames> names = CodePageOfDwgName(dwgCodePage);
  if (!names) return std::nullopt;
  return std::move(names->iconvName);
}

EncodingPolicy EncodingPolicy::FromOption(const std::string& option) {
  const std::string upper = AsciiUpper(option);
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
      return {std::make_unique<Cp932Decoder>(), false, "code page 932 (--encoding)", Named(kJapaneseCodePage, false)};
    case Kind::Utf8:
      return {std::make_unique<Utf8Decoder>(), false, "UTF-8 (--encoding)", Named(kUtf8CodePage, false)};
    case Kind::CodePage:
      return {std::make_unique<CodePageDecoder>(iconvName_), false, shownName_ + " (--encoding)",
              Named(WindowsNumberOf(iconvName_), false)};
    case Kind::Automatic:
      break;
  }
  const TextEncoding chosen = ChooseTextEncoding(facts.TextFacts());
  if (chosen.source == TextEncoding::Source::Version) {
    return {std::make_unique<Utf8Decoder>(), true, "UTF-8 (version " + *facts.acadVersion + ")", chosen};
  }
  if (chosen.source == TextEncoding::Source::CodePage) {
    const std::string named = "($DWGCODEPAGE " + *facts.dwgCodePage + ")";
    if (chosen.codePage == kJapaneseCodePage) {
      return {std::make_unique<Cp932Decoder>(), true, "code page 932 " + named, chosen};
    }
    if (chosen.IsUtf8()) return {std::make_unique<Utf8Decoder>(), true, "UTF-8 " + named, chosen};
    auto decoder = std::make_unique<CodePageDecoder>(chosen.iconvName);
    if (decoder->Usable()) return {std::move(decoder), true, chosen.iconvName + " " + named, chosen};
  }
  const std::string unknown = facts.dwgCodePage ? "; $DWGCODEPAGE " + *facts.dwgCodePage + " is not known" : "";
  return {std::make_unique<Cp932Decoder>(), true, "code page 932 (the plug-in's" + unknown + ")",
          Named(kJapaneseCodePage, true)};
}

}  // namespace karvex::tools
