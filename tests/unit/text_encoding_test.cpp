// The encoding a drawing's HEADER gives its texts, and how its bytes make
// characters of half or full width.
#include "dxf/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dxf/header_section.h"
#include "support/dxf_text.h"

namespace karvex {
namespace {

struct ChoiceCase {
  const char* name;
  HeaderTextFacts facts;
  TextEncoding::Source source;
  std::uint32_t codePage;
  std::string iconvName;
};

TEST(ChooseTextEncoding, FollowsTheVersionThenTheCodePage) {
  using Source = TextEncoding::Source;
  const std::vector<ChoiceCase> cases = {
      {"nothing said", {}, Source::Unstated, 0, ""},
      {"AC1021 and on: UTF-8 whatever the code page", {"AC1021", "ANSI_1252"}, Source::Version, 65001, ""},
      {"AC1018: the code page", {"AC1018", "ANSI_1251"}, Source::CodePage, 1251, "CP1251"},
      {"code page 932", {"AC1009", "ANSI_932"}, Source::CodePage, 932, ""},
      {"DOS code pages", {std::nullopt, "dos850"}, Source::CodePage, 850, "CP850"},
      {"ISO 8859", {std::nullopt, "ISO8859-2"}, Source::CodePage, 28592, "ISO-8859-2"},
      {"a Korean name", {std::nullopt, "KSC5601"}, Source::CodePage, 949, "CP949"},
      {"a name not known", {"AC1015", "EBCDIC"}, Source::Unstated, 0, ""},
      {"a version that is no number", {"ACXXXX", std::nullopt}, Source::Unstated, 0, ""},
  };
  for (const ChoiceCase& c : cases) {
    const TextEncoding chosen = ChooseTextEncoding(c.facts);
    EXPECT_EQ(chosen.source, c.source) << c.name;
    EXPECT_EQ(chosen.codePage, c.codePage) << c.name;
    EXPECT_EQ(chosen.iconvName, c.iconvName) << c.name;
    EXPECT_TRUE(chosen.expandEscapes) << c.name;
  }
}

TEST(TextEncoding, CountsCharactersAndTheirWidths) {
  TextEncoding japanese;  // unstated: code page 932
  TextEncoding utf8;
  utf8.codePage = kUtf8CodePage;
  TextEncoding western;
  western.codePage = 1252;
  TextEncoding chinese;
  chinese.codePage = 936;
  // "寝室" and "AB" in each.
  EXPECT_EQ(japanese.WidthInHeights("\x90\x51\x8E\xBA" "AB"), 3.0);
  EXPECT_EQ(utf8.WidthInHeights("\xE5\xAF\x9D\xE5\xAE\xA4" "AB"), 3.0);
  EXPECT_EQ(western.WidthInHeights("\x90\x51\x8E\xBA" "AB"), 3.0);  // six single bytes
  EXPECT_EQ(chinese.WidthInHeights("\xC7\xDE" "A"), 1.5);          // 0xFE > 0xFC still leads
  // Half-width katakana are single bytes in code page 932.
  EXPECT_EQ(japanese.WidthInHeights("\xB1\xB2"), 1.0);
  // A lead byte at the end, a cut-off UTF-8 sequence and a stray
  // continuation byte are one half-width character each.
  EXPECT_EQ(japanese.WidthInHeights("A\x90"), 1.0);
  EXPECT_EQ(utf8.WidthInHeights("\xE5\xAF"), 1.0);
  EXPECT_EQ(utf8.WidthInHeights("\x80"), 0.5);
}

// The HEADER reader notes what the texts need and reads the rest as
// before: the pair after a variable without a value is read like any.
TEST(HeaderTextFacts, AreNotedByTheHeaderReader) {
  const std::string text = testing::DxfText()
                               .Section("HEADER", {{9, "$ACADVER"}, {1, "AC1015"}, {9, "$DWGCODEPAGE"},
                                                   {9, "$EXTMAX"}, {10, "100"}, {20, "50"}})
                               .Eof()
                               .Text();
  GroupPairReader reader;
  reader.Begin(text);
  reader.ReadGroupPair();
  reader.ReadGroupPair();
  DrawingExtents extents;
  HeaderTextFacts facts;
  EXPECT_TRUE(ReadHeaderSection(reader, extents, 640, 453, nullptr, &facts));
  reader.End();
  EXPECT_EQ(facts.acadVersion, "AC1015");
  EXPECT_EQ(facts.dwgCodePage, std::nullopt);
  EXPECT_EQ(extents.ExtMaxX, 100.0f);
  EXPECT_EQ(extents.ExtMaxY, 50.0f);
}

}  // namespace
}  // namespace karvex
