// What the converter learns from a drawing before it draws it, and the line
// numbers its messages give.
#include "karvex/drawing_facts.h"

#include <gtest/gtest.h>

#include <string>

#include "karvex/text_lines.h"
#include "support/dxf_text.h"

namespace karvex::tools {
namespace {

using testing::DxfText;

TEST(DrawingFacts, HeaderVariablesSectionsBlocksAndEntitiesByKind) {
  const std::string text =
      DxfText()
          .Section("HEADER", {{9, "$ACADVER"},
                              {1, "AC1015"},
                              {9, "$DWGCODEPAGE"},
                              {3, "ANSI_1251"},
                              {9, "$EXTMAX"},
                              {10, "5"},
                              {20, "5"}})
          .Section("BLOCKS", {{0, "BLOCK"},
                              {2, "DOOR"},
                              {0, "LINE"},
                              {0, "INSERT"},
                              {2, "X"},
                              {0, "ATTRIB"},
                              {0, "SEQEND"},
                              {0, "ENDBLK"},
                              {0, "BLOCK"},
                              {8, "0"},
                              {0, "SEQEND"},
                              {2, "NOT_ITS_NAME"},
                              {0, "ENDBLK"}})
          .Section("ENTITIES", {{0, "LINE"}, {0, "LINE"}, {0, "POLYLINE"}, {0, "VERTEX"}, {0, "SEQEND"}, {0, "HATCH"}})
          .Eof()
          .Text();
  const DrawingFacts facts = ScanDrawing(text);
  EXPECT_EQ(facts.acadVersion, "AC1015");
  EXPECT_EQ(facts.dwgCodePage, "ANSI_1251");
  EXPECT_TRUE(facts.hasHeader);
  EXPECT_TRUE(facts.headerHasRectangle);
  EXPECT_TRUE(facts.reachedEof);
  // One name per block, from its header alone: the pairs before the first
  // group-0 pair of any kind.
  EXPECT_EQ(facts.blockNames, (std::vector<std::string>{"DOOR", ""}));
  ASSERT_EQ(facts.sections.size(), 3u);
  EXPECT_EQ(facts.sections[2].name, "ENTITIES");
  EXPECT_EQ(facts.SectionAt(facts.sections[2].start + 1), &facts.sections[2]);
  EXPECT_EQ(facts.SectionAt(static_cast<std::int32_t>(text.size()) - 1), nullptr);  // the EOF pair

  std::map<std::string, std::pair<std::int64_t, std::int64_t>> counts;
  for (const auto& [kind, count] : facts.entities) counts[kind] = {count.inEntities, count.inBlocks};
  // ATTRIB counts: its text is shown by a viewer. SEQEND and VERTEX do not.
  const std::map<std::string, std::pair<std::int64_t, std::int64_t>> expected = {
      {"LINE", {2, 1}}, {"INSERT", {0, 1}}, {"ATTRIB", {0, 1}}, {"POLYLINE", {1, 0}}, {"HATCH", {1, 0}}};
  EXPECT_EQ(counts, expected);
}

TEST(DrawingFacts, AScanEndsWhereReadingEndsAndKeepsWhatItFound) {
  const DrawingFacts facts =
      ScanDrawing(DxfText().Section("HEADER", {{9, "$ACADVER"}, {1, "AC1009"}}).Raw("  0\r\nSECTION\r\n1x\r\n").Text());
  EXPECT_EQ(facts.acadVersion, "AC1009");
  EXPECT_FALSE(facts.reachedEof);
  EXPECT_FALSE(facts.headerHasRectangle);
  EXPECT_FALSE(ScanDrawing(DxfText().Section("ENTITIES", {}).Eof().Text()).hasHeader);
}

TEST(DrawingFacts, Utf8FromVersionAC1021On) {
  EXPECT_TRUE(IsUtf8Version("AC1021"));
  EXPECT_TRUE(IsUtf8Version("AC1032"));
  EXPECT_FALSE(IsUtf8Version("AC1018"));
  EXPECT_FALSE(IsUtf8Version("AC2.10"));
  EXPECT_FALSE(IsUtf8Version("AC1021 "));
}

TEST(TextLines, LinesEndAtCrLfLfOrALoneCr) {
  const std::string text = "a\r\nb\nc\rd";
  EXPECT_EQ(LineCount(text), 4);
  EXPECT_EQ(LineNumberAt(text, 0), 1);
  EXPECT_EQ(LineNumberAt(text, 2), 1);  // the LF of CR LF is still line 1's
  EXPECT_EQ(LineNumberAt(text, 3), 2);
  EXPECT_EQ(LineNumberAt(text, 7), 4);
  EXPECT_EQ(LineAt(text, 5), "c");
  EXPECT_EQ(LastLine(text), "d");
  EXPECT_EQ(LastLine("x\r\n  0\r\n"), "  0");
  EXPECT_EQ(LineCount("x\r\n\r\n"), 2);
  EXPECT_EQ(QuotedLine("1\x01\"x", 40), "\"1\\x01\\x22x\"");
  EXPECT_EQ(QuotedLine("abcdef", 3), "\"abc...\"");
}

TEST(TextLines, LineEndStyles) {
  EXPECT_EQ(DescribeLineEnds(CountLineEnds("a\r\nb\r\n")), "CR LF");
  EXPECT_EQ(DescribeLineEnds(CountLineEnds("a\nb\n")), "LF");
  EXPECT_EQ(DescribeLineEnds(CountLineEnds("a\rb\r")), "CR");
  EXPECT_EQ(DescribeLineEnds(CountLineEnds("a\r\nb\nc\r\n")), "mixed (2 CR LF, 1 LF)");
  EXPECT_EQ(DescribeLineEnds(CountLineEnds("abc")), "none");
}

}  // namespace
}  // namespace karvex::tools
