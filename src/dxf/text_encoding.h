#pragma once
// How a drawing's text bytes become characters, as the drawing says: texts
// of version AC1021 on are UTF-8; before that, in the code page its
// $DWGCODEPAGE names; a drawing that says neither is read as it always was
// (the platform's code page in the plug-in, code page 932 in the
// converter). The plug-in with all kinds on and the converter's "auto"
// choose alike, from the HEADER's two variables.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace karvex {

// What a HEADER says about its texts.
struct HeaderTextFacts {
  std::optional<std::string> acadVersion;  // $ACADVER
  std::optional<std::string> dwgCodePage;  // $DWGCODEPAGE
};

// "AC1021" and later (2007 on) store texts in UTF-8.
bool IsUtf8Version(std::string_view acadVersion);

// A code page as the two platforms name it.
struct CodePageNames {
  std::string iconvName;        // the C library's: "CP1252", "ISO-8859-2", "MACINTOSH"
  std::uint32_t windowsNumber;  // Windows': 1252, 28592, 10000
};

// The code page a $DWGCODEPAGE value names ("ANSI_1252", "DOS850",
// "MAC-ROMAN", ...), any case; none for a name it does not know.
std::optional<CodePageNames> CodePageOfDwgName(std::string_view dwgCodePage);

constexpr std::uint32_t kUtf8CodePage = 65001;
constexpr std::uint32_t kJapaneseCodePage = 932;

struct TextEncoding {
  // Where the choice came from.
  enum class Source : std::uint8_t { Unstated, Version, CodePage, Chosen };
  Source source = Source::Unstated;
  // Windows' number of the code page (kUtf8CodePage for UTF-8); 0 when the
  // drawing says nothing or the number is not known.
  std::uint32_t codePage = 0;
  // The C library's name for a code page other than 932 and UTF-8.
  std::string iconvName;
  // "\U+XXXX" escapes stand for their characters.
  bool expandEscapes = false;

  bool IsUtf8() const { return codePage == kUtf8CodePage; }
  // The bytes of one character starting at text[at] (at least 1): a lead
  // byte of a double-byte code page takes the next byte along, a UTF-8
  // sequence its continuation bytes. Code page 932 where none is known.
  std::size_t CharacterLength(std::string_view text, std::size_t at) const;
  // Whether the character starting at text[at] is drawn a full cell wide
  // (a kanji, kana, hangul, full-width form) or half of one.
  bool IsFullWidth(std::string_view text, std::size_t at) const;
  // The width of text in character heights: half a height for a half-width
  // character, one for a full-width one (the gothic face's cells).
  double WidthInHeights(std::string_view text) const;
};

// The automatic choice from what the HEADER said; a $DWGCODEPAGE this
// does not know leaves the texts unstated.
TextEncoding ChooseTextEncoding(const HeaderTextFacts& facts);

}  // namespace karvex
