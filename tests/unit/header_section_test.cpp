#include "dxf/header_section.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/result_codes.h"
#include "support/dxf_text.h"
#include "support/plugin_harness.h"

namespace karvex {
namespace {

using testing::DxfText;
using testing::Pair;
using testing::PluginHarness;

std::uint32_t Bits(float value) {  // the float's bit pattern
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

// Reads a HEADER section holding these pairs, as the section loop hands it
// over (on its (2, "HEADER") pair), at 640 x 453.
struct HeaderRead {
  bool ok;
  DrawingExtents extents;
};

HeaderRead ReadHeader(std::initializer_list<Pair> pairs, DrawingExtents before = {}) {
  const std::string text = DxfText().Add(2, "HEADER").Add(pairs).Add(0, "ENDSEC").Text();
  GroupPairReader reader;
  reader.Begin(text);
  reader.ReadGroupPair();
  HeaderRead read{false, before};
  read.ok = ReadHeaderSection(reader, read.extents, 640, 453);
  return read;
}

TEST(HeaderSection, ScaleExamples) {
  struct Case {
    const char* name;
    std::initializer_list<Pair> pairs;
    float minX, minY, maxX, maxY;
    float scale;
  };
  const Case cases[] = {
      {"no variables: 10000 units each way", {{9, "$ACADVER"}, {1, "AC1009"}}, 0, 0, 10000, 10000, 0.0453f},
      {"extents (0,0)-(100,50): the width limits",
       {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "100"}, {20, "50"}}, 0, 0, 100, 50, 6.4f},
      {"positive extents still reach down to the origin",
       {{9, "$EXTMIN"}, {10, "100"}, {20, "100"}, {9, "$EXTMAX"}, {10, "200"}, {20, "200"}}, 0, 0, 200, 200, 2.265f},
      {"extents and limits merge",
       {{9, "$EXTMAX"}, {10, "500"}, {20, "300"}, {9, "$LIMMAX"}, {10, "420"}, {20, "297"},
        {9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$LIMMIN"}, {10, "-10"}, {20, "-5"}},
       -10, -5, 500, 300, 640.0f / 510.0f},
      {"a negative maximum stays 0", {{9, "$EXTMAX"}, {10, "-5"}, {20, "100"}}, 0, 0, 10000, 100, 0.064f},
      {"a maximum with only x: y falls back to 10000", {{9, "$EXTMAX"}, {10, "100"}}, 0, 0, 100, 10000, 0.0453f},
      {"z and other groups pass over",
       {{9, "$EXTMAX"}, {10, "100"}, {20, "50"}, {30, "99999"}, {9, "$INSBASE"}, {10, "7777"}}, 0, 0, 100, 50, 6.4f},
  };
  for (const Case& c : cases) {
    const HeaderRead read = ReadHeader(c.pairs);
    EXPECT_TRUE(read.ok) << c.name;
    EXPECT_EQ(read.extents.ExtMinX, c.minX) << c.name;
    EXPECT_EQ(read.extents.ExtMinY, c.minY) << c.name;
    EXPECT_EQ(read.extents.ExtMaxX, c.maxX) << c.name;
    EXPECT_EQ(read.extents.ExtMaxY, c.maxY) << c.name;
    EXPECT_EQ(read.extents.DrawScale, c.scale) << c.name;
  }
}

TEST(HeaderSection, ScalesAreRoundedOnceToFloat) {
  const HeaderRead empty = ReadHeader({{9, "$ACADVER"}, {1, "AC1009"}});
  EXPECT_EQ(static_cast<double>(empty.extents.DrawScale), 0.04529999941587448);
  const HeaderRead wide = ReadHeader({{9, "$EXTMAX"}, {10, "100"}, {20, "50"}});
  EXPECT_EQ(static_cast<double>(wide.extents.DrawScale), 6.400000095367432);
  const HeaderRead square = ReadHeader({{9, "$EXTMAX"}, {10, "200"}, {20, "200"}});
  EXPECT_EQ(static_cast<double>(square.extents.DrawScale), 2.265000104904175);
}

TEST(HeaderSection, FailuresFallBackToScale0Point1) {
  struct Case {
    const char* name;
    std::initializer_list<Pair> pairs;
  };
  const Case cases[] = {
      {"a comma as decimal separator", {{9, "$EXTMAX"}, {10, "1,5"}}},
      {"beyond the float range", {{9, "$EXTMAX"}, {10, "1e39"}}},
      {"a scale beyond the float range", {{9, "$EXTMAX"}, {10, "1e-45"}, {20, "1e-45"}}},
  };
  for (const Case& c : cases) {
    const HeaderRead read = ReadHeader(c.pairs);
    EXPECT_FALSE(read.ok) << c.name;
    EXPECT_EQ(Bits(read.extents.DrawScale), 0x3DCCCCCDu) << c.name;
  }
  // A value that is never stored (1e39 is not below the minimum 0) is never
  // checked against the float range.
  EXPECT_TRUE(ReadHeader({{9, "$EXTMIN"}, {10, "1e39"}}).ok);
}

TEST(HeaderSection, AnErrorPairInTheTextEndsTheSectionNormally) {
  const std::string text =
      DxfText().Add(2, "HEADER").Add(9, "$EXTMAX").Add(10, "100").Add(20, "50").Add(0, "Error").Text();
  GroupPairReader reader;
  reader.Begin(text);
  reader.ReadGroupPair();
  DrawingExtents extents;
  EXPECT_TRUE(ReadHeaderSection(reader, extents, 640, 453));
  EXPECT_EQ(extents.DrawScale, 6.4f);
}

TEST(HeaderSection, FileWithoutHeaderUsesThePreviousRequestsScale) {
  PluginHarness harness;
  const std::string withHeader = DxfText()
                                     .Section("HEADER", {{9, "$EXTMAX"}, {10, "100"}, {20, "50"}})
                                     .Eof()
                                     .Text();
  ASSERT_EQ(harness.PictureFromMemory(withHeader).result, kSuccess);
  const std::string withoutHeader =
      testing::EntitiesOnly({{0, "LINE"}, {10, "10"}, {20, "10"}, {11, "20"}, {21, "10"}});
  EXPECT_EQ(harness.Draw(withoutHeader),
            (std::vector<std::string>{"pen 0", "hollow_brush", "move 64 389", "line 128 389"}));
}

TEST(HeaderSection, StopDuringTheHeaderKeepsTheEarlierScale) {
  // The first 60 bytes open the section and give $EXTMAX; the comment pair
  // after it ends at byte 1000, where the host is asked and says stop.
  std::string text =
      DxfText().Add(0, "SECTION").Add(2, "HEADER").Add(9, "$EXTMAX").Add(10, "100").Add(20, "50").Text();
  ASSERT_EQ(text.size(), 60u);
  text += "999\r\n" + std::string(1000 - 60 - 7, 'x') + "\r\n";
  text += DxfText().Add(0, "ENDSEC").Eof().Text();

  PluginHarness harness;
  ASSERT_EQ(harness.PictureFromMemory(DxfText().Section("HEADER", {{9, "$ACADVER"}, {1, "AC1009"}}).Eof().Text()).result,
            kSuccess);
  ASSERT_EQ(harness.Body().Extents().DrawScale, 0.0453f);
  const auto stopped = harness.PictureFromMemory(text, 2);
  EXPECT_EQ(stopped.result, kSuccess);
  ASSERT_GE(stopped.progress.size(), 2u);
  EXPECT_EQ(stopped.progress[1].first, 1000);
  EXPECT_EQ(harness.Body().Extents().DrawScale, 0.0453f);
  EXPECT_EQ(harness.Body().Extents().ExtMaxX, 100.0f);  // what was read so far stays
}

}  // namespace
}  // namespace karvex

namespace karvex {
namespace {

// $LTSCALE is read only for a picture in line types, and reading it changes
// nothing else: the rectangle comes out as without it.
TEST(HeaderSection, LineTypeScaleIsReadForStyledPicturesOnly) {
  struct Case {
    const char* name;
    std::initializer_list<testing::Pair> pairs;
    float scale;
  };
  const Case cases[] = {
      {"given", {{9, "$LTSCALE"}, {40, "2.5"}, {9, "$EXTMAX"}, {10, "100"}, {20, "50"}}, 2.5f},
      {"not given", {{9, "$EXTMAX"}, {10, "100"}, {20, "50"}}, 1.0f},
      {"a value that does not convert", {{9, "$LTSCALE"}, {40, "x"}, {9, "$EXTMAX"}, {10, "100"}, {20, "50"}}, 1.0f},
      {"no value: the next variable is still read",
       {{9, "$LTSCALE"}, {9, "$EXTMAX"}, {10, "100"}, {20, "50"}}, 1.0f},
  };
  for (const Case& c : cases) {
    const std::string text = testing::DxfText().Add(2, "HEADER").Add(c.pairs).Add(0, "ENDSEC").Text();
    auto read = [&](StyleTables* styles) {
      GroupPairReader reader;
      reader.Begin(text);
      reader.ReadGroupPair();
      DrawingExtents extents;
      EXPECT_TRUE(ReadHeaderSection(reader, extents, 640, 453, styles)) << c.name;
      return extents;
    };
    StyleTables styles;
    const DrawingExtents styled = read(&styles);
    const DrawingExtents plain = read(nullptr);
    EXPECT_EQ(styles.LineTypeScale(), c.scale) << c.name;
    EXPECT_EQ(styled.ExtMaxX, plain.ExtMaxX) << c.name;
    EXPECT_EQ(styled.ExtMaxY, plain.ExtMaxY) << c.name;
    EXPECT_EQ(Bits(styled.DrawScale), Bits(plain.DrawScale)) << c.name;
  }
}

}  // namespace
}  // namespace karvex
