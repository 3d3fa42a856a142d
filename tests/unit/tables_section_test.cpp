#include "dxf/tables_section.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dxf/blocks_section.h"
#include "support/dxf_text.h"

namespace karvex {
namespace {

using testing::DxfText;

// Runs a section reader over a section body as the section loop hands it
// over (on its (2, name) pair); the reader's stop pair is left current.
template <typename Read>
bool ReadSection(const std::string& name, const DxfText& body, GroupPairReader& reader, std::string& text,
                 Read read) {
  text = DxfText().Add(2, name).Raw(body.Text()).Add(0, "ENDSEC").Add(0, "EOF").Text();
  reader.Begin(text);
  reader.ReadGroupPair();
  return read();
}

DxfText LtypeEntry(const std::string& name, int elements, std::initializer_list<const char*> dashes) {
  DxfText entry;
  entry.Add({{0, "LTYPE"}, {2, name}, {70, "0"}, {3, "description"}, {72, "65"}, {73, std::to_string(elements)},
             {40, "1.0"}});
  for (const char* dash : dashes) entry.Add(49, dash);
  return entry;
}

TEST(TablesSection, LineTypesAreRecordedIntoTheirSlots) {
  DxfText body;
  body.Add({{0, "TABLE"}, {2, "LTYPE"}, {70, "2"}});
  body.Raw(LtypeEntry("CONTINUOUS", 0, {}).Text()).Raw(LtypeEntry("DASHED", 2, {"0.5", "-0.25"}).Text());
  body.Add(0, "ENDTAB");
  GroupPairReader reader;
  std::string text;
  LineTypeTable table;
  EXPECT_TRUE(ReadSection("TABLES", body, reader, text, [&] { return ReadTablesSection(reader, table); }));
  EXPECT_TRUE(reader.Is(0, "ENDSEC"));
  EXPECT_EQ(table[0].Name, "CONTINUOUS");
  EXPECT_EQ(table[0].ElementCount, 0);
  EXPECT_EQ(table[1].Name, "DASHED");
  EXPECT_EQ(table[1].ElementCount, 2);
  EXPECT_EQ(table[1].DashLengths[0], 0.5f);
  EXPECT_EQ(table[1].DashLengths[1], -0.25f);
}

TEST(TablesSection, DashLengthsAndEntriesClampAtTheirLastSlot) {
  DxfText body;
  body.Add({{0, "TABLE"}, {2, "LTYPE"}});
  body.Raw(LtypeEntry("LONG", 13, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"}).Text());
  for (int i = 2; i <= 25; ++i) {
    DxfText entry;
    entry.Add(0, "LTYPE").Add(2, "T" + std::to_string(i));
    if (i == 22) entry.Add(73, "22");  // only entry 22 of 21..25 has a count
    body.Raw(entry.Text());
  }
  body.Add(0, "ENDTAB");
  GroupPairReader reader;
  std::string text;
  LineTypeTable table;
  table[20].ElementCount = -7;
  ASSERT_TRUE(ReadSection("TABLES", body, reader, text, [&] { return ReadTablesSection(reader, table); }));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(table[0].DashLengths[static_cast<std::size_t>(i)], static_cast<float>(i + 1));
  EXPECT_EQ(table[0].DashLengths[10], 13.0f);
  EXPECT_EQ(table[19].Name, "T20");
  EXPECT_EQ(table[20].Name, "T25");
  EXPECT_EQ(table[20].ElementCount, 22);
}

TEST(TablesSection, ABadDashLengthSkipsOnlyTheRestOfItsTable) {
  DxfText body;
  body.Add({{0, "TABLE"}, {2, "LTYPE"}});
  body.Raw(LtypeEntry("BROKEN", 1, {"abc"}).Text()).Raw(LtypeEntry("NEVER", 0, {}).Text());
  body.Add(0, "ENDTAB");
  body.Add({{0, "TABLE"}, {2, "BLOCK_RECORD"}, {0, "BLOCK_RECORD"}, {2, "*MODEL_SPACE"}, {0, "ENDTAB"}});
  body.Add({{0, "TABLE"}, {2, "LAYER"}, {0, "LAYER"}, {2, "0"}, {0, "ENDTAB"}});
  body.Add({{0, "TABLE"}, {2, "LTYPE"}}).Raw(LtypeEntry("SECOND", 4, {}).Text()).Add(0, "ENDTAB");
  GroupPairReader reader;
  std::string text;
  LineTypeTable table;
  EXPECT_TRUE(ReadSection("TABLES", body, reader, text, [&] { return ReadTablesSection(reader, table); }));
  EXPECT_TRUE(reader.Is(0, "ENDSEC"));
  // The second LTYPE table starts again at slot 0.
  EXPECT_EQ(table[0].Name, "SECOND");
  EXPECT_EQ(table[0].ElementCount, 4);
  EXPECT_EQ(table[1].Name, "");
}

TEST(TablesSection, TablesInAnyOrderAndAnErrorPairEndingTheSection) {
  DxfText body;
  body.Add({{0, "TABLE"}, {2, "VPORT"}, {0, "VPORT"}, {2, "*ACTIVE"}, {0, "ENDTAB"}});
  body.Add({{0, "TABLE"}, {2, "LTYPE"}}).Raw(LtypeEntry("AFTER_VPORT", 1, {"2.5"}).Text()).Add(0, "ENDTAB");
  body.Add({{0, "Error"}, {0, "TABLE"}, {2, "LTYPE"}}).Raw(LtypeEntry("NEVER", 0, {}).Text());
  GroupPairReader reader;
  std::string text;
  LineTypeTable table;
  EXPECT_TRUE(ReadSection("TABLES", body, reader, text, [&] { return ReadTablesSection(reader, table); }));
  EXPECT_TRUE(reader.Is(0, "Error"));
  EXPECT_EQ(table[0].Name, "AFTER_VPORT");
  EXPECT_EQ(table[1].Name, "");
}

// A picture in line types or colours reads the LAYER table and every line
// type besides the 21 slots, which it fills as every picture does.
TEST(TablesSection, StyledPicturesReadEveryLayerAndLineType) {
  DxfText body;
  body.Add({{0, "TABLE"}, {2, "LTYPE"}});
  body.Raw(LtypeEntry("Dashed", 2, {"0.5", "-0.25"}).Text());
  for (int i = 2; i <= 25; ++i) body.Raw(LtypeEntry("T" + std::to_string(i), 1, {"1"}).Text());
  body.Raw(LtypeEntry("LAST", 3, {"2", "0", "-1e39"}).Text());  // a length too large for a float is left out
  body.Add(0, "ENDTAB");
  body.Add({{0, "TABLE"}, {2, "LAYER"}, {0, "LAYER"}, {2, "Walls"}, {62, "-3"}, {6, "DASHED"}, {0, "LAYER"},
            {2, "PLAIN"}, {62, "red"}, {420, "16744448"}, {0, "LAYER"}, {70, "0"}, {0, "ENDTAB"}});
  GroupPairReader reader;
  std::string text;
  LineTypeTable plainSlots;
  ASSERT_TRUE(ReadSection("TABLES", body, reader, text, [&] { return ReadTablesSection(reader, plainSlots); }));
  LineTypeTable slots;
  StyleTables styles;
  ASSERT_TRUE(ReadSection("TABLES", body, reader, text, [&] { return ReadTablesSection(reader, slots, &styles); }));
  EXPECT_TRUE(reader.Is(0, "ENDSEC"));
  for (std::size_t i = 0; i < slots.size(); ++i) {
    EXPECT_EQ(slots[i].Name, plainSlots[i].Name) << i;
    EXPECT_EQ(slots[i].DashLengths, plainSlots[i].DashLengths) << i;
  }
  // Names are found whatever their case.
  ASSERT_NE(styles.LineType("DASHED"), nullptr);
  EXPECT_EQ(styles.LineType("dashed")->pattern, (std::vector<float>{0.5f, -0.25f}));
  ASSERT_NE(styles.LineType("T25"), nullptr);
  EXPECT_EQ(styles.LineType("last")->pattern, (std::vector<float>{2, 0}));
  EXPECT_EQ(styles.LineType("NONE"), nullptr);
  const LayerStyle* walls = styles.Layer("WALLS");
  ASSERT_NE(walls, nullptr);
  EXPECT_EQ(walls->colourNumber, -3);
  EXPECT_EQ(walls->lineType, "DASHED");
  // A colour that does not convert is left as the default; an entry
  // without a name is not kept.
  const LayerStyle* plain = styles.Layer("plain");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->colourNumber, 7);
  EXPECT_EQ(plain->trueColour, 0xFF8000);
  EXPECT_EQ(plain->lineType, "CONTINUOUS");
  EXPECT_EQ(styles.Layer(""), nullptr);
}

TEST(BlocksSection, RecordsEachBlocksNameAndStart) {
  DxfText body;
  body.Add({{0, "BLOCK"}, {8, "0"}, {2, "A"}, {10, "0"}, {20, "0"}, {0, "LINE"}, {0, "ENDBLK"}});
  body.Add({{0, "BLOCK"}, {2, "B"}, {0, "LINE"}, {0, "ENDBLK"}});
  body.Add({{0, "BLOCK"}, {2, "OUTER"}, {0, "INSERT"}, {2, "A"}, {0, "HATCH"}, {2, "ANSI31"}, {0, "ENDBLK"}});
  body.Add({{0, "BLOCK"}, {8, "no name of its own"}, {0, "ENDBLK"}});
  body.Add({{0, "BLOCK"}, {8, "no name in its header"}, {0, "INSERT"}, {2, "B"}, {0, "ATTDEF"}, {2, "TAG"},
            {0, "ENDBLK"}});
  GroupPairReader reader;
  std::string text;
  BlockIndex index;
  EXPECT_TRUE(ReadSection("BLOCKS", body, reader, text, [&] { return ReadBlocksSection(reader, index); }));
  ASSERT_EQ(index.BlockCount, 5);
  EXPECT_EQ(index.BlockName[0], "A");
  EXPECT_EQ(index.BlockName[1], "B");
  EXPECT_EQ(index.BlockName[2], "OUTER");  // its entities' group-2 pairs do not rename it
  EXPECT_EQ(index.BlockName[3], "OUTER");  // no group 2 at all: the name of the block before
  EXPECT_EQ(index.BlockName[4], "TAG");    // none in its header: the last one before its ENDBLK
  // Each start is where the pair after the BLOCK line begins.
  const std::string firstBlock = "  0\r\nBLOCK\r\n";
  EXPECT_EQ(text.compare(static_cast<std::size_t>(index.BlockStart[0]), 5, "  8\r\n"), 0);
  EXPECT_EQ(text.compare(static_cast<std::size_t>(index.BlockStart[1]) - firstBlock.size(), firstBlock.size(),
                         firstBlock),
            0);
}

TEST(BlocksSection, MoreBlocksThanSlotsAreReadOverButNotRecorded) {
  DxfText body;
  for (int i = 0; i < 600; ++i) body.Add({{0, "BLOCK"}, {2, "B" + std::to_string(i)}, {0, "ENDBLK"}});
  GroupPairReader reader;
  std::string text;
  BlockIndex index;
  EXPECT_TRUE(ReadSection("BLOCKS", body, reader, text, [&] { return ReadBlocksSection(reader, index); }));
  EXPECT_TRUE(reader.Is(0, "ENDSEC"));
  EXPECT_EQ(index.BlockCount, 501);
  EXPECT_EQ(index.BlockName[500], "B500");
}

TEST(BlocksSection, EndPairsAndAMissingEndblk) {
  {
    DxfText body;
    body.Add({{0, "BLOCK"}, {2, "A"}, {0, "ENDBLK"}, {0, "Error"}, {0, "BLOCK"}, {2, "B"}, {0, "ENDBLK"}});
    GroupPairReader reader;
    std::string text;
    BlockIndex index;
    EXPECT_TRUE(ReadSection("BLOCKS", body, reader, text, [&] { return ReadBlocksSection(reader, index); }));
    EXPECT_EQ(index.BlockCount, 1);
  }
  {
    // A BLOCK without its ENDBLK runs on into the next block: one entry,
    // under the first block's name.
    DxfText body;
    body.Add({{0, "BLOCK"}, {2, "A"}, {0, "LINE"}, {0, "BLOCK"}, {2, "B"}, {0, "ENDBLK"}});
    GroupPairReader reader;
    std::string text;
    BlockIndex index;
    EXPECT_TRUE(ReadSection("BLOCKS", body, reader, text, [&] { return ReadBlocksSection(reader, index); }));
    ASSERT_EQ(index.BlockCount, 1);
    EXPECT_EQ(index.BlockName[0], "A");
  }
  {
    // No ENDBLK at all: the reader fails at the end and the block is lost.
    const std::string text = DxfText().Add(2, "BLOCKS").Add({{0, "BLOCK"}, {2, "A"}, {0, "LINE"}}).Text();
    GroupPairReader reader;
    reader.Begin(text);
    reader.ReadGroupPair();
    BlockIndex index;
    EXPECT_FALSE(ReadBlocksSection(reader, index));
    EXPECT_EQ(index.BlockCount, 0);
  }
}

}  // namespace
}  // namespace karvex
