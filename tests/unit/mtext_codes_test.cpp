// An MTEXT's codes taken out and its paragraphs wrapped, in the bytes of
// the drawing's encoding.
#include "render/kinds/mtext_codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace karvex {
namespace {

using Lines = std::vector<std::string>;

TextEncoding Utf8() {
  TextEncoding encoding;
  encoding.codePage = kUtf8CodePage;
  return encoding;
}

struct CodesCase {
  const char* name;
  std::string raw;
  Lines paragraphs;
};

TEST(MtextParagraphs, TakeOutTheFormattingCodes) {
  const std::vector<CodesCase> cases = {
      {"plain", "AB", {"AB"}},
      {"\\P, \\X, \\N and ^J break", "A\\PB\\XC\\ND^JE", {"A", "B", "C", "D", "E"}},
      {"escaped backslash and braces", "a\\\\b\\{c\\}", {"a\\b{c}"}},
      {"groups and codes with values", "{\\fArial|b1|i0;\\H2.5x;\\C1;\\c255;\\A1;\\W0.8;\\Q10;\\T1.1;\\pxi-3;X}",
       {"X"}},
      {"switches without a value", "\\LA\\lB\\OC\\oD\\KE\\k", {"ABCDE"}},
      {"non-breaking space and tab", "a\\~b^Ic", {"a b c"}},
      {"stacked fractions in their three forms", "\\S1^2; \\S3/4; \\S5#6;", {"1/2 3/4 5/6"}},
      {"an escape for a character stays for the text output", "\\U+00B0C", {"\\U+00B0C"}},
      {"an unterminated code takes the rest with it", "AB\\fArial|b1", {"AB"}},
      {"an unterminated stack keeps what it holds", "x\\S1^2", {"x1/2"}},
      {"a lone backslash at the end stays", "A\\", {"A\\"}},
      {"empty", "", {""}},
      // "表" in code page 932 ends in 0x5C, the backslash.
      {"a double-byte character ending in a backslash is no code", "\x95\x5CP\\P\x95\x5C{", {"\x95\x5CP", "\x95\x5C"}},
      {"in a value too", "\\f\x95\x5C;x", {"x"}},
  };
  for (const CodesCase& c : cases) EXPECT_EQ(MtextParagraphs(c.raw, TextEncoding{}), c.paragraphs) << c.name;
}

TEST(MtextParagraphs, ReadUtf8AsUtf8) {
  // In UTF-8 0x95 is a continuation byte: the backslash after it is a code.
  EXPECT_EQ(MtextParagraphs("\xE5\xAF\x9D\\P\xE5\xB1\x85", Utf8()), (Lines{"\xE5\xAF\x9D", "\xE5\xB1\x85"}));
  // Bytes that are not UTF-8 pass through one at a time.
  EXPECT_EQ(MtextParagraphs("\xFF\\P\xC3", Utf8()), (Lines{"\xFF", "\xC3"}));
}

TEST(MtextParagraphs, StopAtTheMostLinesAPictureShows) {
  std::string raw;
  for (int i = 0; i < 5000; ++i) raw += "x\\P";
  EXPECT_LE(MtextParagraphs(raw, TextEncoding{}).size(), kMostMtextLines + 1);
}

struct WrapCase {
  const char* name;
  std::string paragraph;
  double width;  // in heights
  Lines lines;
};

TEST(WrapParagraph, BreaksWhereTheWidthIsReached) {
  const std::vector<WrapCase> cases = {
      {"no width: whole", "AB CD EF", 0, {"AB CD EF"}},
      {"after spaces", "AB CD EF", 2.5, {"AB CD", "EF"}},
      {"a word wider than the line is cut", "ABCDEFGH", 2, {"ABCD", "EFGH"}},
      {"spaces at the break are dropped", "AB    CD", 1, {"AB", "CD"}},
      {"between full-width characters (code page 932)", "\x8A\xBF\x8E\x9A\x8A\xBF\x8E\x9A", 2,
       {"\x8A\xBF\x8E\x9A", "\x8A\xBF\x8E\x9A"}},
      {"at least one character a line", "AB", 0.1, {"A", "B"}},
      {"empty", "", 3, {""}},
  };
  for (const WrapCase& c : cases) EXPECT_EQ(WrapParagraph(c.paragraph, c.width, TextEncoding{}), c.lines) << c.name;
  // Three bytes of UTF-8 make one full-width character.
  EXPECT_EQ(WrapParagraph("\xE5\xAF\x9D\xE5\xAE\xA4\xE5\xB1\x85\xE9\x96\x93", 2, Utf8()),
            (Lines{"\xE5\xAF\x9D\xE5\xAE\xA4", "\xE5\xB1\x85\xE9\x96\x93"}));
}

}  // namespace
}  // namespace karvex
