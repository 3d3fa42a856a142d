// The decodings the converter may give the text rasterizer instead of code
// page 932: UTF-8, the code pages $DWGCODEPAGE names, and \U+XXXX escapes.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/code_page_decoder.h"
#include "render/cp932_decoder.h"
#include "render/freetype_text.h"
#include "render/unicode_escape_decoder.h"
#include "render/utf8_decoder.h"
#include "support/ink_box.h"

namespace karvex {
namespace {

constexpr char32_t kBad = U'\uFFFD';

struct DecodeCase {
  const char* what;
  std::string bytes;
  std::u32string characters;
};

std::u32string Decoded(TextDecoder& decoder, const std::string& bytes) {
  std::u32string out = U"left over";
  decoder.Decode(bytes, out);
  return out;
}

TEST(Utf8Decoder, DecodesWellFormedTextAndReplacesEachBadByte) {
  const DecodeCase cases[] = {
      {"ASCII", "A\\z", U"A\\z"},
      {"two, three and four bytes", "\xC2\xB0\xE6\x97\xA5\xF0\x9F\x98\x80", U"°日\U0001F600"},
      {"a stray continuation byte",
       "a\x80"
       "b",
       {U'a', kBad, U'b'}},
      {"an overlong slash", "\xC0\xAF", {kBad, kBad}},
      {"a surrogate", "\xED\xA0\x80", {kBad, kBad, kBad}},
      {"past U+10FFFF", "\xF4\x90\x80\x80", {kBad, kBad, kBad, kBad}},
      {"cut off at the end", "x\xE6\x97", {U'x', kBad, kBad}},
      {"a lead byte before ASCII",
       "\xE6"
       "A",
       {kBad, U'A'}},
  };
  Utf8Decoder decoder;
  for (const DecodeCase& c : cases) EXPECT_EQ(Decoded(decoder, c.bytes), c.characters) << c.what;
}

TEST(CodePageDecoder, DecodesSingleAndDoubleByteCodePages) {
  struct Case {
    const char* codePage;
    std::string bytes;
    std::u32string characters;
  };
  const Case cases[] = {
      {"CP1252", "\x80\xE9\xB0", U"€é°"},
      {"CP1251", "\xCF\xF0\xE8", U"При"},
      {"CP1250", "\x8A\xF9", U"Šů"},
      {"CP850", "\x81\xF8", U"ü°"},
      {"MACINTOSH", "\x8E", U"é"},
      {"CP936",
       "\xD6\xD0"
       "A",
       U"中A"},
      {"CP936", "A\xD6", {U'A', kBad}},  // a lead byte cut off at the end
  };
  for (const Case& c : cases) {
    CodePageDecoder decoder(c.codePage);
    ASSERT_TRUE(decoder.Usable()) << c.codePage;
    EXPECT_EQ(Decoded(decoder, c.bytes), c.characters) << c.codePage;
  }
  EXPECT_FALSE(CodePageDecoder("NO-SUCH-CODE-PAGE").Usable());
}

TEST(UnicodeEscapeDecoder, TurnsEscapesIntoCharactersAfterDecoding) {
  Cp932Decoder cp932;
  UnicodeEscapeDecoder escapes(cp932);
  const DecodeCase cases[] = {
      {"one escape", "Tsch\\U+00FCss", U"Tschüss"},
      {"lower-case digits and u", "\\u+00fc", U"ü"},
      {"a surrogate pair", "\\U+D83D\\U+DE00", U"\U0001F600"},
      {"a lone surrogate", "\\U+D83Dx", {kBad, U'x'}},
      {"three digits are no escape", "\\U+00F", U"\\U+00F"},
      // 0x83 0x5C is "ソ": its second byte is not a backslash of the text.
      {"a double-byte character ending in 0x5C", "\x83\x5CU+0041", U"ソU+0041"},
      {"escapes next to each other", "\\U+0041\\U+0042", U"AB"},
  };
  for (const DecodeCase& c : cases) EXPECT_EQ(Decoded(escapes, c.bytes), c.characters) << c.what;
}

TEST(FreeTypeTextRasterizer, DrawsWithTheDecoderItIsGivenAndGoesBackToCodePage932) {
  FreeTypeTextRasterizer rasterizer(kIpaGothicPath);
  ASSERT_TRUE(rasterizer.Ready());
  const std::string degree = "\xC2\xB0";  // "°" in UTF-8, "ﾂｰ" in code page 932
  auto draw = [&] {
    testing::BottomUpImage picture(80, 40, 0xFFFFFF);
    rasterizer.DrawText(picture.Rows(), 80, 40, 5, 5, degree, 24, 0);
    return picture.Bytes();
  };
  const std::vector<std::uint8_t> asCp932 = draw();
  Utf8Decoder utf8;
  rasterizer.UseDecoder(&utf8);
  const std::vector<std::uint8_t> asUtf8 = draw();
  rasterizer.UseDecoder(nullptr);
  EXPECT_EQ(draw(), asCp932);
  // Two half-width katakana against one degree sign: the ink differs.
  const std::int32_t cp932Width = testing::BottomUpImage(80, 40, asCp932).Ink().Width();
  const std::int32_t utf8Width = testing::BottomUpImage(80, 40, asUtf8).Ink().Width();
  EXPECT_GT(cp932Width, utf8Width);
}

}  // namespace
}  // namespace karvex
