// The converter's choice of text decoding: what each drawing says, what
// --encoding forces, and the characters it gives on real drawings.
#include "karvex/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/converter_run.h"
#include "dxf/group_pair_reader.h"
#include "karvex/cli_options.h"
#include "karvex/drawing_facts.h"

namespace karvex::tools {
namespace {

DrawingFacts Facts(std::optional<std::string> version, std::optional<std::string> codePage) {
  DrawingFacts facts;
  facts.acadVersion = std::move(version);
  facts.dwgCodePage = std::move(codePage);
  return facts;
}

std::u32string Decode(const EncodingPolicy& policy, const DrawingFacts& facts, const std::string& bytes) {
  ChosenDecoding decoding = policy.DecodingFor(facts);
  std::u32string out;
  decoding.Decoder().Decode(bytes, out);
  return out;
}

// The group-1 values of the TEXT entities of a drawing.
std::vector<std::string> TextValues(const std::string& text) {
  std::vector<std::string> values;
  GroupPairReader reader;
  reader.Begin(text);
  bool inText = false;
  try {
    for (;;) {
      reader.ReadGroupPair();
      if (reader.GroupCode() == 0) inText = reader.GroupValue() == "TEXT";
      if (inText && reader.GroupCode() == 1) values.emplace_back(reader.GroupValue());
      if (reader.Is(0, "EOF")) break;
    }
  } catch (...) {
  }
  return values;
}

TEST(TextEncoding, AutomaticChoiceFollowsVersionThenCodePageThenThePluginsCodePage) {
  const EncodingPolicy automatic = EncodingPolicy::FromOption("auto");
  struct Case {
    DrawingFacts facts;
    std::string description;
  };
  const Case cases[] = {
      {Facts("AC1027", "ANSI_1252"), "UTF-8 (version AC1027)"},
      {Facts("AC1018", "ANSI_1252"), "CP1252 ($DWGCODEPAGE ANSI_1252)"},
      {Facts("AC1012", "dos850"), "CP850 ($DWGCODEPAGE dos850)"},
      {Facts("AC1015", "ANSI_932"), "code page 932 ($DWGCODEPAGE ANSI_932)"},
      {Facts("AC1009", std::nullopt), "code page 932 (the plug-in's)"},
      {Facts(std::nullopt, "KLINGON"), "code page 932 (the plug-in's; $DWGCODEPAGE KLINGON is not known)"},
  };
  for (const Case& c : cases) EXPECT_EQ(automatic.DecodingFor(c.facts).Description(), c.description);

  // Escapes are expanded in every automatic choice, on top of the code page.
  EXPECT_EQ(Decode(automatic, Facts("AC1015", "ANSI_1251"), "\xCF\\U+00FC"), U"Пü");
}

TEST(TextEncoding, ANamedEncodingIsUsedForEveryTextExactly) {
  const DrawingFacts utf8Drawing = Facts("AC1027", "ANSI_1252");
  EXPECT_EQ(Decode(EncodingPolicy::FromOption("cp932"), utf8Drawing, "\xC2\xB0\\U+00FC"), U"ﾂｰ\\U+00FC");
  EXPECT_EQ(Decode(EncodingPolicy::FromOption("Shift_JIS"), utf8Drawing, "\x93\xFA"), U"日");
  EXPECT_EQ(Decode(EncodingPolicy::FromOption("ANSI_1251"), utf8Drawing, "\xCF"), U"П");
  EXPECT_EQ(Decode(EncodingPolicy::FromOption("cp1250"), utf8Drawing, "\x8A"), U"Š");
  EXPECT_EQ(Decode(EncodingPolicy::FromOption("UTF8"), Facts("AC1009", std::nullopt), "\xC2\xB0"), U"°");
  EXPECT_THROW(EncodingPolicy::FromOption("klingon"), UsageError);
}

TEST(TextEncoding, CodePageNames) {
  EXPECT_EQ(IconvNameOfCodePage("ANSI_1252"), "CP1252");
  EXPECT_EQ(IconvNameOfCodePage("ansi_936"), "CP936");
  EXPECT_EQ(IconvNameOfCodePage("DOS850"), "CP850");
  EXPECT_EQ(IconvNameOfCodePage("dos932"), "CP932");
  EXPECT_EQ(IconvNameOfCodePage("MAC-ROMAN"), "MACINTOSH");
  EXPECT_EQ(IconvNameOfCodePage("ISO8859-2"), "ISO-8859-2");
  EXPECT_EQ(IconvNameOfCodePage("KSC5601"), "CP949");
  EXPECT_EQ(IconvNameOfCodePage("ANSI_"), std::nullopt);
  EXPECT_EQ(IconvNameOfCodePage("EBCDIC"), std::nullopt);
}

TEST(TextEncoding, ShiftJisDrawingOfTheCorpusIsReadAsCodePage932) {
  const std::string path = testing::CorpusFile("ezjww__jwc_samples__r000rt_cp932_crlf.dxf");
  if (path.empty()) GTEST_SKIP() << "the corpus is not beside the project";
  const std::string text = testing::ReadFile(path);
  const DrawingFacts facts = ScanDrawing(text);
  const std::vector<std::string> values = TextValues(text);
  ASSERT_EQ(values.size(), 2u);
  const EncodingPolicy automatic = EncodingPolicy::FromOption("auto");
  EXPECT_EQ(automatic.DecodingFor(facts).Description(), "code page 932 (the plug-in's)");
  EXPECT_EQ(Decode(automatic, facts, values[0]), U"ABC");
  EXPECT_EQ(Decode(automatic, facts, values[1]), U"日本B");
  EXPECT_NE(Decode(EncodingPolicy::FromOption("utf-8"), facts, values[1]), U"日本B");
}

TEST(TextEncoding, Utf8DrawingOfTheCorpusIsReadAsUtf8) {
  const std::string path = testing::CorpusFile("ezdxf__text_oblique_rotate.dxf");
  if (path.empty()) GTEST_SKIP() << "the corpus is not beside the project";
  const std::string text = testing::ReadFile(path);
  const DrawingFacts facts = ScanDrawing(text);
  EXPECT_EQ(facts.acadVersion, "AC1027");
  EXPECT_EQ(facts.dwgCodePage, "ANSI_1252");  // which the version overrules
  const std::vector<std::string> values = TextValues(text);
  std::vector<std::u32string> decoded;
  for (const std::string& value : values) decoded.push_back(Decode(EncodingPolicy::FromOption("auto"), facts, value));
  EXPECT_NE(std::find(decoded.begin(), decoded.end(), U"OBLIQUE 15°"), decoded.end());
  EXPECT_NE(std::find(decoded.begin(), decoded.end(), U"ROTATE -30°"), decoded.end());
}

}  // namespace
}  // namespace karvex::tools
