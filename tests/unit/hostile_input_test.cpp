// Inputs meant to hurt: numbers at and past their limits, huge lines and
// counts, broken structure, cut-off files. Each gives its result code and
// never a crash, a hang or a read outside the text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin/result_codes.h"
#include "render/freetype_text.h"
#include "support/scenes.h"

namespace karvex {
namespace {

using testing::DxfText;
using testing::Repeated;
using testing::PictureResult;
using testing::PluginHarness;
using testing::Scene;
using testing::SceneWithBlocks;

// A drawing at one pixel per unit holding the given raw sections.
std::string Drawing(const std::string& sections) {
  return DxfText().Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}}).Raw(sections).Eof().Text();
}

std::string RawSection(const std::string& name, const std::string& pairs) {
  return "  0\r\nSECTION\r\n  2\r\n" + name + "\r\n" + pairs + "  0\r\nENDSEC\r\n";
}

// The text face, loaded once for all cases that draw texts.
FreeTypeTextRasterizer& TextFace() {
  static FreeTypeTextRasterizer face;
  return face;
}

struct HostileCase {
  const char* name;
  std::string text;
  std::int32_t expected;
};

TEST(HostileInput, NumbersAtAndPastTheirLimits) {
  const std::string digits400(400, '7');
  const std::vector<HostileCase> cases = {
      {"1e38 coordinate: a pixel beyond 64 bits ends the walk", Scene({{0, "POINT"}, {10, "1e38"}}), kSuccess},
      {"-1e38", Scene({{0, "LINE"}, {11, "-1e38"}}), kSuccess},
      {"1e39: beyond the float range", Scene({{0, "CIRCLE"}, {40, "1e39"}}), kSuccess},
      {"1e-45: a denormal float", Scene({{0, "CIRCLE"}, {10, "1e-45"}, {40, "1e-45"}}), kSuccess},
      {"huge exponent", Scene({{0, "ARC"}, {50, "1e999999999"}}), kSuccess},
      {"tiny exponent", Scene({{0, "ARC"}, {50, "1e-999999999"}, {40, "5"}}), kSuccess},
      {"NaN spelled", Scene({{0, "POINT"}, {10, "NaN"}}), kSuccess},
      {"Inf spelled", Scene({{0, "POINT"}, {10, "-Infinity"}}), kSuccess},
      {"400 digits", Scene({{0, "POINT"}, {10, digits400}}), kSuccess},
      {"400 digits after the point", Scene({{0, "POINT"}, {10, "0." + digits400}}), kSuccess},
      {"huge text rotation", Scene({{0, "TEXT"}, {50, "3e38"}, {1, "x"}}), kSuccess},
      {"huge arc angles", Scene({{0, "ARC"}, {40, "5"}, {50, "-3e38"}, {51, "3e38"}}), kSuccess},
      {"huge insert angle and base point",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {10, "3e38"}, {20, "-3e38"}, {0, "LINE"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {50, "3e38"}, {10, "3e38"}}),
       kSuccess},
      {"huge header extents", DxfText().Section("HEADER", {{9, "$EXTMAX"}, {10, "3e38"}, {20, "3e38"},
                                                           {9, "$EXTMIN"}, {10, "-3e38"}, {20, "-3e38"}})
                                  .Section("ENTITIES", {{0, "CIRCLE"}, {40, "3e38"}})
                                  .Eof()
                                  .Text(),
       kSuccess},
      {"group code beyond 32 bits", DxfText().Raw("99999999999\r\nx\r\n").Eof().Text(), kInternalError},
      {"colour number beyond 32 bits", Scene({{0, "SOLID"}, {62, "4294967296"}}), kSuccess},
  };
  for (const HostileCase& c : cases) {
    PluginHarness harness;
    EXPECT_EQ(harness.PictureFromMemory(c.text).result, c.expected) << c.name;
  }
}

TEST(HostileInput, HugeLinesCountsAndStructures) {
  const std::string block = Repeated("  0\r\nLINE\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n100\r\n 21\r\n100\r\n", 100);
  std::string blocks = "  0\r\nBLOCK\r\n  2\r\nBIG\r\n" + block + "  0\r\nENDBLK\r\n";
  for (int i = 0; i < 600; ++i) blocks += "  0\r\nBLOCK\r\n  2\r\nB" + std::to_string(i) + "\r\n  0\r\nENDBLK\r\n";
  const std::string inserts = Repeated("  0\r\nINSERT\r\n  2\r\nBIG\r\n 10\r\n50\r\n 20\r\n50\r\n 50\r\n33\r\n", 10000);
  const std::vector<HostileCase> cases = {
      {"a 100,000-character value line", Scene({{0, "TEXT"}, {1, std::string(100000, 'W')}}), kSuccess},
      {"a 100,000-character group code line", std::string(100000, ' ') + "0\r\nEOF\r\n", kInternalError},
      {"a million points on one spot",
       Drawing(RawSection("ENTITIES", Repeated("  0\r\nPOINT\r\n 10\r\n5\r\n 20\r\n5\r\n", 1000000))), kSuccess},
      {"10,000 inserts of a 100-line block and 600 blocks",
       Drawing(RawSection("BLOCKS", blocks) + RawSection("ENTITIES", inserts)), kSuccess},
      {"a block whose ENDBLK is missing",
       DxfText().Section("BLOCKS", {{0, "BLOCK"}, {2, "A"}, {0, "LINE"}}).Section("ENTITIES", {{0, "INSERT"}, {2, "A"}})
           .Eof()
           .Text(),
       kSuccess},
      {"a block that never ends before EOF",
       DxfText().Add(0, "SECTION").Add(2, "BLOCKS").Add({{0, "BLOCK"}, {2, "A"}, {0, "LINE"}}).Eof().Text(),
       kSuccess},
      {"a polyline without SEQEND", Scene({{0, "POLYLINE"}, {0, "VERTEX"}, {0, "VERTEX"}, {10, "9"}}), kSuccess},
      {"a 100,000-byte text of invalid Shift-JIS",
       Scene({{0, "TEXT"}, {40, "20"}, {1, Repeated("\x81\x7F\xFF\xA0\x85", 20000)}}), kSuccess},
      {"a text ending in a lead byte", Scene({{0, "TEXT"}, {40, "20"}, {1, "abc\x82"}}), kSuccess},
      {"a text run far outside the picture", Scene({{0, "TEXT"}, {10, "-2e9"}, {20, "2e9"}, {40, "1e6"}, {1, "ABC"}}),
       kSuccess},
      {"NUL bytes in values", Scene({{0, "TEXT"}, {1, std::string("a\0b", 3)}, {0, "POINT"}}), kSuccess},
  };
  for (const HostileCase& c : cases) {
    PluginHarness harness({}, &TextFace());
    EXPECT_EQ(harness.PictureFromMemory(c.text).result, c.expected) << c.name;
  }
}

// Blocks with today's kinds on: the work is bounded by the nesting depth,
// the guard against a block inside itself and the walk's budget of
// replays, whatever the counts say.
TEST(HostileInput, BlocksThatNestOrRepeatWithoutEnd) {
  std::string chain;
  for (int i = 0; i < 10000; ++i) {
    chain += "  0\r\nBLOCK\r\n  2\r\nL" + std::to_string(i) + "\r\n  0\r\nLINE\r\n 11\r\n1\r\n  0\r\nINSERT\r\n  2\r\nL" +
             std::to_string(i + 1) + "\r\n 10\r\n1\r\n  0\r\nENDBLK\r\n";
  }
  std::string fanOut;
  for (int i = 0; i < 20; ++i) {
    fanOut += "  0\r\nBLOCK\r\n  2\r\nF" + std::to_string(i) + "\r\n  0\r\nPOINT\r\n" +
              Repeated("  0\r\nINSERT\r\n  2\r\nF" + std::to_string(i + 1) + "\r\n", 10) + "  0\r\nENDBLK\r\n";
  }
  const std::string point = "  0\r\nBLOCK\r\n  2\r\nP\r\n  0\r\nPOINT\r\n  0\r\nENDBLK\r\n";
  const std::vector<HostileCase> cases = {
      {"10,000 nested levels", Drawing(RawSection("BLOCKS", chain) + RawSection("ENTITIES", "  0\r\nINSERT\r\n  2\r\nL0\r\n")),
       kSuccess},
      {"a block inserting itself",
       SceneWithBlocks({{0, "BLOCK"}, {2, "A"}, {0, "INSERT"}, {2, "A"}, {0, "ENDBLK"}}, {{0, "INSERT"}, {2, "A"}}),
       kSuccess},
      {"ten inserts of the next block, twenty levels down",
       Drawing(RawSection("BLOCKS", fanOut) + RawSection("ENTITIES", "  0\r\nINSERT\r\n  2\r\nF0\r\n")), kSuccess},
      {"an array of 2^31 - 1 rows and columns",
       Drawing(RawSection("BLOCKS", point) +
               RawSection("ENTITIES", "  0\r\nINSERT\r\n  2\r\nP\r\n 70\r\n2147483647\r\n 71\r\n2147483647\r\n")),
       kSuccess},
      {"scale factors at the float's limits and zero",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "CIRCLE"}, {40, "3e38"}, {0, "ARC"}, {40, "1"}, {0, "TEXT"},
                        {1, "x"}, {0, "INSERT"}, {2, "C"}, {41, "3e38"}, {0, "ENDBLK"}, {0, "BLOCK"}, {2, "C"},
                        {0, "LINE"}, {11, "3e38"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {41, "3e38"}, {42, "-3e38"}, {0, "INSERT"}, {2, "B"}, {41, "0"},
                        {42, "1e-45"}, {0, "INSERT"}, {2, "B"}, {44, "3e38"}, {70, "3"}, {0, "POINT"}}),
       kSuccess},
      {"a DIMENSION naming no block, or itself",
       SceneWithBlocks({{0, "BLOCK"}, {2, "*D1"}, {0, "DIMENSION"}, {2, "*D1"}, {0, "ENDBLK"}},
                       {{0, "DIMENSION"}, {2, "*D1"}, {0, "DIMENSION"}, {2, "*D9"}, {0, "DIMENSION"}}),
       kSuccess},
  };
  Settings settings;
  settings.AllKinds = 1;
  for (const HostileCase& c : cases) {
    PluginHarness harness(settings, &TextFace());
    EXPECT_EQ(harness.PictureFromMemory(c.text).result, c.expected) << c.name;
  }
}

// Bad values in the kinds drawn with all kinds on cost at most their entity.
TEST(HostileInput, TodaysShapesAtTheirLimits) {
  const std::string manyVertices = Repeated(" 10\r\n1e30\r\n 20\r\n-5\r\n 42\r\n3e38\r\n 10\r\n5\r\n 42\r\n0.7\r\n", 50000);
  const std::string manyFaces =
      Repeated("  0\r\nVERTEX\r\n 70\r\n128\r\n 71\r\n1\r\n 72\r\n-2147483648\r\n 73\r\n2147483647\r\n", 20000);
  const std::vector<HostileCase> cases = {
      {"a huge bulge and vertices beyond the float range",
       Scene({{0, "LWPOLYLINE"}, {10, "3e38"}, {20, "-3e38"}, {42, "1e300"}, {10, "1e39"}, {20, "0"}, {42, "-1e-300"}}),
       kSuccess},
      {"100,000 far vertices with bulges",
       Drawing(RawSection("ENTITIES", "  0\r\nLWPOLYLINE\r\n 70\r\n1\r\n 90\r\n2147483647\r\n" + manyVertices)),
       kSuccess},
      {"a mesh of 2147483647 x 2147483647 with two vertices",
       Scene({{0, "POLYLINE"}, {70, "49"}, {71, "2147483647"}, {72, "2147483647"}, {0, "VERTEX"}, {10, "1"},
              {0, "VERTEX"}, {10, "2"}, {0, "SEQEND"}}),
       kSuccess},
      {"a mesh of negative size", Scene({{0, "POLYLINE"}, {70, "16"}, {71, "-3"}, {72, "-2147483648"},
                                          {0, "VERTEX"}, {0, "SEQEND"}}),
       kSuccess},
      {"20,000 faces naming vertices far out of range",
       Drawing(RawSection("ENTITIES", "  0\r\nPOLYLINE\r\n 70\r\n64\r\n" + manyFaces + "  0\r\nSEQEND\r\n")),
       kSuccess},
      {"a polyline with bulges and no SEQEND",
       Scene({{0, "POLYLINE"}, {0, "VERTEX"}, {42, "1"}, {0, "VERTEX"}, {10, "9"}, {42, "NaN"}}), kSuccess},
      {"faces and traces of NaN and beyond",
       Scene({{0, "3DFACE"}, {10, "NaN"}, {11, "1e39"}, {70, "99999999999"}, {0, "TRACE"}, {12, "-Infinity"},
              {230, "NaN"}}),
       kSuccess},
      {"hatches with NaN angles, a huge radius, a broken edge type and paths without edges",
       Scene({{0, "HATCH"}, {70, "1"}, {91, "2147483647"}, {92, "1"}, {93, "2147483647"}, {72, "2"}, {40, "3e38"},
              {50, "NaN"}, {51, "1e39"}, {72, "99999999999"}, {10, "1"}, {72, "3"}, {11, "3e38"}, {40, "-1e30"},
              {92, "2"}, {42, "1e300"}, {10, "1"}, {20, "1"}, {42, "-1e300"}, {10, "2"}, {10, "3"}, {92, "0"},
              {72, "4"}, {40, "1"}, {40, "0"}, {20, "5"}, {11, "1"}, {75, "0"}, {0, "HATCH"}, {92, "2"}}),
       kSuccess},
      {"pattern lines a hair apart, dashes a hair long, angles of NaN",
       Scene({{0, "HATCH"}, {70, "0"}, {91, "1"}, {92, "2"}, {10, "0"}, {20, "0"}, {10, "3e38"}, {20, "0"},
              {10, "0"}, {20, "3e38"}, {75, "0"}, {78, "3"}, {53, "0"}, {45, "0"}, {46, "1e-30"}, {53, "10"},
              {46, "1e30"}, {49, "1e-30"}, {49, "-1e-30"}, {53, "NaN"}, {45, "1"}, {46, "1"}, {49, "-5"}}),
       kSuccess},
      {"a solid hatch of 100,000 far vertices",
       Drawing(RawSection("ENTITIES", "  0\r\nHATCH\r\n 70\r\n1\r\n 91\r\n1\r\n 92\r\n2\r\n" +
                                          Repeated(" 10\r\n-3e38\r\n 20\r\n3e38\r\n 10\r\n5\r\n 20\r\n-1e30\r\n", 50000))),
       kSuccess},
      {"arcs and circles seen from below at the limits",
       Scene({{0, "ARC"}, {10, "3e38"}, {40, "3e38"}, {50, "-3e38"}, {51, "NaN"}, {230, "-1e39"}, {0, "CIRCLE"},
              {40, "1e39"}, {230, "-1"}}),
       kSuccess},
  };
  Settings settings;
  settings.AllKinds = 1;
  for (const std::int32_t mode : {1, 3}) {
    settings.CenterPos = mode;
    for (const HostileCase& c : cases) {
      PluginHarness harness(settings, &TextFace());
      EXPECT_EQ(harness.PictureFromMemory(c.text).result, c.expected) << c.name << ", mode " << mode;
    }
  }
}

// Curves and lines without end, with all kinds on, in a picture placed by
// its HEADER and in one framed by what it draws. Each entity that cannot be
// drawn costs itself (or the walk, for a value that is no number), never
// the request, and a curve is cut into a bounded number of chords.
TEST(HostileInput, CurvesAndLinesWithoutEnd) {
  const std::string manyPoints = Repeated(" 10\r\n1\r\n 20\r\n2\r\n", 300000);
  const std::string manyKnots = Repeated(" 40\r\n1\r\n", 300000);
  const std::vector<HostileCase> cases = {
      {"ellipse with ratio 0", Scene({{0, "ELLIPSE"}, {11, "100"}, {40, "0"}, {0, "LINE"}}), kSuccess},
      {"ellipse with a negative ratio", Scene({{0, "ELLIPSE"}, {11, "100"}, {40, "-2"}}), kSuccess},
      {"ellipse with a huge ratio", Scene({{0, "ELLIPSE"}, {11, "100"}, {40, "3e38"}}), kSuccess},
      {"ellipse without a major axis", Scene({{0, "ELLIPSE"}, {11, "0"}, {21, "0"}, {40, "0.5"}}), kSuccess},
      {"ellipse at the float limits",
       Scene({{0, "ELLIPSE"}, {10, "3e38"}, {20, "-3e38"}, {11, "3e38"}, {21, "3e38"}, {40, "1"}}), kSuccess},
      {"ellipse with huge parameters", Scene({{0, "ELLIPSE"}, {11, "100"}, {40, "0.5"}, {41, "-3e38"}, {42, "3e38"}}),
       kSuccess},
      {"ellipse with a NaN ratio", Scene({{0, "ELLIPSE"}, {11, "100"}, {40, "NaN"}}), kSuccess},
      {"spline of degree 2^31 - 1", Scene({{0, "SPLINE"}, {71, "2147483647"}, {10, "0"}, {10, "5"}}), kSuccess},
      {"spline of negative degree", Scene({{0, "SPLINE"}, {71, "-3"}, {10, "0"}, {10, "5"}}), kSuccess},
      {"spline with inconsistent knots",
       Scene({{0, "SPLINE"}, {71, "2"}, {40, "0"}, {40, "5"}, {40, "1"}, {10, "0"}, {10, "5"}, {10, "9"}}), kSuccess},
      {"spline whose knots are all alike", Scene({{0, "SPLINE"}, {71, "1"}, {40, "2"}, {40, "2"}, {40, "2"},
                                                  {40, "2"}, {10, "0"}, {10, "5"}}),
       kSuccess},
      {"spline with a zero weight", Scene({{0, "SPLINE"}, {71, "1"}, {41, "0"}, {41, "0"}, {10, "0"}, {10, "5"}}),
       kSuccess},
      {"spline at the float limits", Scene({{0, "SPLINE"}, {71, "3"}, {10, "3e38"}, {20, "3e38"}, {10, "-3e38"},
                                            {10, "3e38"}, {10, "-3e38"}, {20, "-3e38"}}),
       kSuccess},
      {"spline through fit points at the float limits",
       Scene({{0, "SPLINE"}, {11, "3e38"}, {21, "3e38"}, {11, "-3e38"}, {11, "3e38"}, {21, "-3e38"}}), kSuccess},
      {"spline of 300,000 control points",
       Drawing(RawSection("ENTITIES", "  0\r\nSPLINE\r\n 71\r\n1\r\n" + manyPoints)), kSuccess},
      {"spline of 300,000 knots", Drawing(RawSection("ENTITIES", "  0\r\nSPLINE\r\n" + manyKnots)), kSuccess},
      {"leader of 300,000 vertices", Drawing(RawSection("ENTITIES", "  0\r\nLEADER\r\n" + manyPoints)), kSuccess},
      {"leader on one spot", Scene({{0, "LEADER"}, {10, "5"}, {10, "5"}, {10, "5"}, {72, "1"}}), kSuccess},
      {"leader with a huge text height",
       Scene({{0, "LEADER"}, {10, "5"}, {10, "50"}, {40, "3e38"}, {71, "1"}}), kSuccess},
      {"ray without direction", Scene({{0, "RAY"}, {11, "0"}, {21, "0"}}), kSuccess},
      {"ray at the float limits", Scene({{0, "RAY"}, {10, "3e38"}, {20, "-3e38"}, {11, "-3e38"}, {21, "3e38"}}),
       kSuccess},
      {"xline with a tiny direction", Scene({{0, "XLINE"}, {10, "320"}, {11, "1e-45"}, {21, "1e-45"}}), kSuccess},
  };
  for (const std::int32_t centerPos : {1, 3}) {
    Settings settings;
    settings.AllKinds = 1;
    settings.CenterPos = centerPos;
    for (const HostileCase& c : cases) {
      PluginHarness harness(settings);
      EXPECT_EQ(harness.PictureFromMemory(c.text).result, c.expected) << c.name << ", mode " << centerPos;
    }
  }
}

// The texts all kinds draw: each bad one costs at most itself, and the
// LINE after it is still drawn.
TEST(HostileInput, TextsOfAllKindsEndThemselvesOnly) {
  std::string manyWords;
  for (int i = 0; i < 500000; ++i) manyWords += "x ";
  const std::vector<std::pair<const char*, std::vector<testing::Pair>>> cases = {
      {"an MTEXT of a million characters wrapped one word a line",
       {{0, "MTEXT"}, {40, "1"}, {41, "1"}, {1, manyWords}}},
      {"an MTEXT of a million characters on one line", {{0, "MTEXT"}, {40, "1"}, {1, std::string(1000000, 'W')}}},
      {"a million line breaks", {{0, "MTEXT"}, {40, "1"}, {1, Repeated("\\P", 500000)}}},
      {"unterminated codes", {{0, "MTEXT"}, {1, "{\\H2x;{\\fArial|b"}, {0, "MTEXT"}, {1, "\\S1^"}}},
      {"a code at the very end", {{0, "MTEXT"}, {1, "AB\\"}}},
      {"invalid UTF-8", {{0, "MTEXT"}, {1, "\xFF\xFE\xC3\\P\xE5\xAF"}, {0, "TEXT"}, {72, "1"}, {11, "1"}, {21, "1"},
                         {1, "\xF4\x90\x80\x80\xC0\xAF"}}},
      {"huge heights", {{0, "MTEXT"}, {40, "3e38"}, {71, "9"}, {1, "A\\PB"}, {0, "TEXT"}, {40, "-3e38"},
                        {72, "2"}, {11, "5"}, {21, "5"}, {1, "AB"}, {0, "ATTRIB"}, {40, "1e30"}, {1, "V"}}},
      {"a zero height", {{0, "MTEXT"}, {40, "0"}, {41, "10"}, {1, "AB CD"}}},
      {"huge rotations and spacing", {{0, "MTEXT"}, {50, "3e38"}, {44, "3e38"}, {1, "A\\PB"}, {0, "TEXT"},
                                      {50, "-3e38"}, {1, "x"}}},
      {"values that do not convert", {{0, "MTEXT"}, {11, "NaN"}, {21, "Inf"}, {40, "1e999"}, {71, "99999999999"},
                                      {1, "A"}, {0, "ATTRIB"}, {70, "x"}, {72, "-7"}, {74, "1e9"}, {1, "V"}}},
      {"an alignment point far away", {{0, "TEXT"}, {72, "1"}, {11, "-3e38"}, {21, "3e38"}, {1, "AB"}}},
  };
  Settings allKinds;
  allKinds.AllKinds = 1;
  for (const auto& [name, pairs] : cases) {
    DxfText entities;
    entities.Section("HEADER", {{9, "$ACADVER"}, {1, "AC1027"}, {9, "$EXTMAX"}, {10, "640"}, {20, "453"}});
    std::string section = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
    for (const testing::Pair& pair : pairs) section += std::to_string(pair.code) + "\r\n" + pair.value + "\r\n";
    section += "  0\r\nLINE\r\n 11\r\n7\r\n  0\r\nENDSEC\r\n";
    PluginHarness harness(allKinds, &TextFace());
    const std::vector<std::string> calls = harness.Draw(entities.Raw(section).Eof().Text());
    ASSERT_FALSE(calls.empty()) << name;
    EXPECT_EQ(calls.back(), "line 7 453") << name;
  }
}

TEST(HostileInput, OutputSizesAtTheEdges) {
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{9999, 9999}}) {
    Settings settings;
    settings.OutputWidth = width;
    settings.OutputHeight = height;
    PluginHarness harness(settings, &TextFace());
    const PictureResult picture = harness.PictureFromMemory(
        Scene({{0, "CIRCLE"}, {10, "100"}, {20, "100"}, {40, "90"}, {0, "TEXT"}, {40, "10"}, {1, "ABC"}}));
    EXPECT_EQ(picture.result, kSuccess) << width << " x " << height;
    EXPECT_EQ(picture.pixelBlockSize, static_cast<std::size_t>(RowStride(width) * height));
  }
}

// Every prefix of a small drawing: the picture drawn from it, when there is
// one, shows nothing the whole drawing does not show.
TEST(HostileInput, EveryCutOfADrawingDrawsAtMostTheWholePicture) {
  const std::string whole = Scene({{0, "LINE"}, {10, "10"}, {20, "10"}, {11, "300"}, {21, "200"},
                                   {0, "CIRCLE"}, {10, "200"}, {20, "200"}, {40, "50"},
                                   {0, "ARC"}, {10, "400"}, {20, "100"}, {40, "40"}, {50, "30"}, {51, "250"},
                                   {0, "POLYLINE"}, {70, "1"}, {0, "VERTEX"}, {10, "500"}, {20, "300"},
                                   {0, "VERTEX"}, {10, "600"}, {20, "300"}, {0, "VERTEX"}, {10, "550"}, {20, "400"},
                                   {0, "SEQEND"}, {0, "POINT"}, {10, "5"}, {20, "440"}});
  PluginHarness harness;
  const PictureResult full = harness.PictureFromMemory(whole);
  ASSERT_EQ(full.result, kSuccess);
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    const PictureResult part = harness.PictureFromMemory(whole.substr(0, cut));
    ASSERT_TRUE(part.result == kSuccess || part.result == kInternalError) << "cut at " << cut;
    if (part.result != kSuccess) continue;
    ASSERT_EQ(part.pixels.size(), full.pixels.size());
    for (std::size_t i = 0; i < part.pixels.size(); ++i) {
      if (part.pixels[i] != 0xFF) ASSERT_EQ(part.pixels[i], full.pixels[i]) << "cut at " << cut << ", byte " << i;
    }
  }
}

}  // namespace
}  // namespace karvex
