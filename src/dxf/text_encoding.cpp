#include "dxf/text_encoding.h"

#include <algorithm>
#include <charconv>

#include "base/ascii_case.h"

namespace karvex {
namespace {

std::optional<std::uint32_t> Number(std::string_view digits) {
  std::uint32_t number = 0;
  if (digits.empty()) return std::nullopt;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return number;
}

bool IsDoubleByteCodePage(std::uint32_t codePage) {
  return codePage == 936 || codePage == 949 || codePage == 950 || codePage == 1361;
}

bool IsJapaneseLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// The code point of the UTF-8 sequence at text[at], or none where no whole
// sequence starts.
std::optional<char32_t> Utf8At(std::string_view text, std::size_t at, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[at]);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t more = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    code = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (at + more >= text.size()) return std::nullopt;
  for (std::size_t i = 1; i <= more; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  length = more + 1;
  return code;
}

bool IsWideCodePoint(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

bool IsUtf8Version(std::string_view acadVersion) {
  if (acadVersion.substr(0, 2) != "AC") return false;
  const std::optional<std::uint32_t> number = Number(acadVersion.substr(2));
  return number && *number >= 1021;
}

std::optional<CodePageNames> CodePageOfDwgName(std::string_view dwgCodePage) {
  const std::string upper = AsciiUpper(dwgCodePage);
  const std::string_view name(upper);
  for (const std::string_view prefix : {std::string_view("ANSI_"), std::string_view("DOS")}) {
    if (name.substr(0, prefix.size()) != prefix) continue;
    if (const auto number = Number(name.substr(prefix.size()))) {
      return CodePageNames{"CP" + upper.substr(prefix.size()), *number};
    }
  }
  if (name.substr(0, 8) == "ISO8859-") {
    if (const auto part = Number(name.substr(8))) return CodePageNames{"ISO-8859-" + upper.substr(8), 28590 + *part};
  }
  if (name == "MAC-ROMAN" || name == "MACINTOSH") return CodePageNames{"MACINTOSH", 10000};
  if (name == "BIG5") return CodePageNames{"BIG5", 950};
  if (name == "GB2312") return CodePageNames{"GB2312", 936};
  if (name == "KSC5601") return CodePageNames{"CP949", 949};
  if (name == "JOHAB") return CodePageNames{"JOHAB", 1361};
  if (name == "UTF-8" || name == "UTF8") return CodePageNames{"UTF-8", kUtf8CodePage};
  // Texts that claim to be ASCII yet hold other bytes were most likely
  // written in the Western code page.
  if (name == "ASCII") return CodePageNames{"CP1252", 1252};
  return std::nullopt;
}

std::size_t TextEncoding::CharacterLength(std::string_view text, std::size_t at) const {
  const auto byte = static_cast<unsigned char>(text[at]);
  if (byte < 0x80 || at + 1 >= text.size()) return 1;
  if (IsUtf8()) {
    std::size_t length = 1;
    Utf8At(text, at, length);
    return length;
  }
  const bool lead = codePage == 0 || codePage == kJapaneseCodePage ? IsJapaneseLeadByte(byte)
                                                                   : IsDoubleByteCodePage(codePage) && byte <= 0xFE;
  return lead ? 2 : 1;
}

bool TextEncoding::IsFullWidth(std::string_view text, std::size_t at) const {
  if (IsUtf8()) {
    std::size_t length = 1;
    const std::optional<char32_t> code = Utf8At(text, at, length);
    return code && IsWideCodePoint(*code);
  }
  return CharacterLength(text, at) == 2;
}

double TextEncoding::WidthInHeights(std::string_view text) const {
  double width = 0;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) {
    width += IsFullWidth(text, at) ? 1.0 : 0.5;
  }
  return width;
}

TextEncoding ChooseTextEncoding(const HeaderTextFacts& facts) {
  TextEncoding encoding;
  encoding.expandEscapes = true;
  if (facts.acadVersion && IsUtf8Version(*facts.acadVersion)) {
    encoding.source = TextEncoding::Source::Version;
    encoding.codePage = kUtf8CodePage;
    return encoding;
  }
  if (facts.dwgCodePage) {
    if (std::optional<CodePageNames> names = CodePageOfDwgName(*facts.dwgCodePage)) {
      encoding.source = TextEncoding::Source::CodePage;
      encoding.codePage = names->windowsNumber;
      if (names->windowsNumber != kUtf8CodePage && names->windowsNumber != kJapaneseCodePage) {
        encoding.iconvName = std::move(names->iconvName);
      }
    }
  }
  return encoding;
}

}  // namespace karvex
