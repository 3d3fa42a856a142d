#include "render/entity_drawer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/failures.h"
#include "plugin/result_codes.h"
#include "render/canvas_sink.h"
#include "render/entity_input.h"
#include "render/recording_canvas.h"
#include "support/scenes.h"

namespace karvex {
namespace {

using testing::DrawnCalls;
using testing::ExpectDrawn;
using testing::DxfText;
using testing::Pair;
using testing::PairEndingOnReport;
using testing::PluginHarness;
using testing::Scene;
using Calls = std::vector<std::string>;

TEST(DrawEntities, EachKindWithItsGroupsAndDefaults) {
  ExpectDrawn({
      {"line", Scene({{0, "LINE"}, {8, "0"}, {10, "10"}, {20, "20"}, {30, "5"}, {11, "30"}, {21, "40"}}),
       {"move 10 433", "line 30 413"}},
      {"line without an end point ends at the origin", Scene({{0, "LINE"}, {10, "10"}, {20, "20"}}),
       {"move 10 433", "line 0 453"}},
      {"circle", Scene({{0, "CIRCLE"}, {10, "100"}, {20, "50"}, {40, "20"}}), {"ellipse 80 423 120 383"}},
      {"arc 0 to 90: from the rightmost point to the top",
       Scene({{0, "ARC"}, {10, "100"}, {20, "50"}, {40, "20"}, {50, "0"}, {51, "90"}}),
       {"arc 80 423 120 383 120 403 100 383"}},
      {"arc 90 to 0", Scene({{0, "ARC"}, {10, "100"}, {20, "50"}, {40, "20"}, {50, "90"}, {51, "0"}}),
       {"arc 80 423 120 383 100 383 120 403"}},
      {"point is black whatever the pen", Scene({{0, "POINT"}, {10, "3"}, {20, "4"}, {62, "255"}}),
       {"pixel 3 449 0"}},
      {"text at rotation 0: the cell's corner one height above",
       Scene({{0, "TEXT"}, {10, "10"}, {20, "20"}, {40, "2"}, {1, "AB"}}), {"text 10 431 2 0 \"AB\""}},
      {"text at rotation 90: one height to the left",
       Scene({{0, "TEXT"}, {10, "10"}, {20, "20"}, {40, "2"}, {50, "90"}, {1, "AB"}}), {"text 8 433 2 900 \"AB\""}},
      {"text without a height is 5 units high", Scene({{0, "TEXT"}, {10, "10"}, {20, "20"}, {1, "A"}}),
       {"text 10 428 5 0 \"A\""}},
      {"text rotation in tenths, rounded half to even",
       Scene({{0, "TEXT"}, {40, "0"}, {50, "0.25"}, {1, "x"}}), {"text 0 453 0 2 \"x\""}},
      {"text angles outside 1..3599 are drawn unrotated",
       Scene({{0, "TEXT"}, {40, "0"}, {50, "360"}, {1, "a"}, {0, "TEXT"}, {40, "0"}, {50, "450"}, {1, "b"},
              {0, "TEXT"}, {40, "0"}, {50, "-90"}, {1, "c"}, {0, "TEXT"}, {40, "0"}, {50, "359.9"}, {1, "d"}}),
       {"text 0 453 0 0 \"a\"", "text 0 453 0 0 \"b\"", "text 0 453 0 0 \"c\"", "text 0 453 0 3599 \"d\""}},
      {"text bytes are passed as written", Scene({{0, "TEXT"}, {40, "0"}, {1, "%%d\\P"}}),
       {"text 0 453 0 0 \"%%d\\P\""}},
      {"solid outlined 1-2-3-4-1 (an hourglass for the usual corner order) in its colour",
       Scene({{0, "SOLID"}, {62, "255"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"}, {12, "0"}, {22, "10"},
              {13, "10"}, {23, "10"}}),
       {"pen 255", "move 0 453", "line 10 453", "line 0 443", "line 10 443", "line 0 453"}},
      {"solid without a fourth corner has it at the origin",
       Scene({{0, "SOLID"}, {10, "5"}, {20, "5"}, {11, "10"}, {21, "5"}, {12, "10"}, {22, "10"}}),
       {"move 5 448", "line 10 448", "line 10 443", "line 0 453", "line 5 448"}},
  });
}

TEST(DrawEntities, UnknownKindsAndNearMissesDrawNothing) {
  ExpectDrawn({
      {"other kinds",
       Scene({{0, "LWPOLYLINE"}, {10, "1"}, {20, "1"}, {0, "ELLIPSE"}, {0, "MTEXT"}, {1, "x"}, {0, "DIMENSION"},
              {0, "VERTEX"}, {10, "5"}, {0, "SEQEND"}, {0, "POINT"}, {10, "1"}, {20, "1"}}),
       {"pixel 1 452 0"}},
      {"lower case", Scene({{0, "line"}, {10, "1"}}), {}},
      {"trailing blank", Scene({{0, "LINE "}, {10, "1"}}), {}},
      {"keyword under another group code", Scene({{2, "LINE"}, {10, "1"}}), {}},
  });
}

TEST(DrawEntities, PolylineClosedFlag) {
  struct FlagCase {
    std::initializer_list<Pair> header;
    bool closed;
  };
  const FlagCase cases[] = {
      {{{70, "1"}}, true},  {{{70, "9"}}, true},   {{{70, "-1"}}, true}, {{{70, "0"}}, false},
      {{{70, "8"}}, false}, {{{70, "64"}}, false}, {{}, false},
      {{{70, "1"}, {70, "8"}}, true},  // a later even value does not clear it
  };
  for (const FlagCase& c : cases) {
    DxfText text;
    text.Add(0, "POLYLINE").Add(66, "1").Add(c.header);
    text.Add({{0, "VERTEX"}, {10, "0"}, {20, "0"}, {0, "VERTEX"}, {10, "10"}, {20, "0"}, {0, "VERTEX"}, {20, "10"},
              {0, "SEQEND"}});
    const std::string scene = testing::DxfText()
                                  .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                                  .Raw("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n")
                                  .Raw(text.Text())
                                  .Add(0, "ENDSEC")
                                  .Eof()
                                  .Text();
    Calls expected{"move 0 453", "line 10 453", "line 10 443"};  // the third vertex keeps x 10
    if (c.closed) expected.push_back("line 0 453");
    EXPECT_EQ(DrawnCalls(scene), expected) << text.Text();
  }
}

TEST(DrawEntities, PolylinesWithFewerThanTwoVerticesStopAtTheirSeqend) {
  ExpectDrawn({
      {"one vertex",
       Scene({{0, "POLYLINE"}, {70, "1"}, {0, "VERTEX"}, {10, "5"}, {20, "5"}, {0, "SEQEND"}, {0, "LINE"},
              {11, "1"}, {21, "1"}}),
       {"move 5 448", "move 0 453", "line 1 452"}},
      {"no vertex",
       Scene({{0, "POLYLINE"}, {70, "1"}, {0, "SEQEND"}, {0, "LINE"}, {11, "1"}, {21, "1"}}),
       {"move 0 453", "line 1 452"}},
  });
}

TEST(DrawEntities, KindsInTestOrderAreDrawnInOnePass) {
  // The host says stop at a report that comes while the first entity is
  // read: the walk still finishes its pass, so a LINE followed by an ARC
  // draws both, while an ARC followed by a LINE draws only the ARC.
  auto scene = [](const char* first, const char* second) {
    std::string text = DxfText()
                           .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                           .Add(0, "SECTION")
                           .Add(2, "ENTITIES")
                           .Add(0, first)
                           .Text();
    text += PairEndingOnReport(text);
    return DxfText().Raw(text).Add(0, second).Add(0, "ENDSEC").Eof().Text();
  };
  for (const auto& [first, second, expected] :
       {std::tuple{"LINE", "ARC", Calls{"move 0 453", "line 0 453", "arc 0 453 0 453 0 453 0 453"}},
        std::tuple{"ARC", "LINE", Calls{"arc 0 453 0 453 0 453 0 453"}}}) {
    PluginHarness harness;
    const auto picture = harness.PictureFromMemory(scene(first, second), 2);
    EXPECT_EQ(picture.result, kSuccess);
    Calls calls = harness.Surfaces().CallStrings();
    calls.erase(calls.begin(), calls.begin() + 2);
    EXPECT_EQ(calls, expected) << first << " then " << second;
  }
}

TEST(DrawEntities, SolidColourStaysForLaterLinesButNotForPointsOrTheNextSection) {
  const std::string text =
      DxfText()
          .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
          .Section("ENTITIES", {{0, "SOLID"}, {62, "255"}, {0, "LINE"}, {10, "0"}, {20, "100"}, {11, "50"},
                                {21, "100"}, {0, "POINT"}, {10, "60"}, {20, "100"}})
          .Section("ENTITIES", {{0, "LINE"}, {10, "0"}, {20, "200"}, {11, "50"}, {21, "200"}})
          .Eof()
          .Text();
  PluginHarness harness;
  const auto picture = harness.PictureFromMemory(text);
  ASSERT_EQ(picture.result, kSuccess);
  EXPECT_EQ(picture.PixelAt(10, 353), 0x0000FFu);  // pure red
  EXPECT_EQ(picture.PixelAt(60, 353), 0x000000u);
  EXPECT_EQ(picture.PixelAt(10, 253), 0x000000u);  // the second section starts black
}

TEST(ColorFromNumber, IsTheNumberItselfWithoutAPalette) {
  const std::pair<std::int32_t, Color> cases[] = {
      {0, 0x000000}, {1, 0x000001}, {7, 0x000007}, {255, 0x0000FF}, {256, 0x000100},
      {16777215, 0xFFFFFF}, {-1, 0x000000}, {-16777216, 0x000000},
      {0x01000005, 0x01000005}, {0x7FFFFFFF, 0x7FFFFFFF},  // the high byte is left for the canvas
  };
  for (const auto& [number, color] : cases) EXPECT_EQ(ColorFromNumber(number), color) << number;
}

// What GDI draws on a 24-bit picture for these colour references, measured
// under Wine with CreatePen and LineTo.
TEST(DrawEntities, SolidColourWithAHighByteIsDrawnAsThePlatformReadsIt) {
  const std::pair<const char*, Color> cases[] = {
      {"2147483647", 0x000000},  // 0x7FFFFFFF: a palette index past the palette's end gives entry 0
      {"51524694", 0x000000},    // 0x03123456: the same
      {"16777221", 0x800080},    // 0x01000005: entry 5 of the default palette
      {"16777223", 0xC0C0C0},    // 0x01000007: entry 7
      {"50266112", 0xFF0000},    // 0x02FF0000: the low 24 bits
      {"285147139", 0x000000},   // 0x10FF0003: a colour-table index, and the picture has no table
      {"83886079", 0xFFFFFF},    // 0x04FFFFFF: the low 24 bits
      {"2130706431", 0xFFFFFF},  // 0x7EFFFFFF: the low 24 bits
      {"16777215", 0xFFFFFF},    // no high byte
  };
  for (const auto& [number, drawn] : cases) {
    // A grey line first, so that a white one drawn over it shows.
    const std::string text = DxfText()
                                 .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                                 .Section("ENTITIES", {{0, "SOLID"}, {62, "8421504"}, {0, "LINE"}, {10, "0"},
                                                       {20, "100"}, {11, "50"}, {21, "100"}, {0, "SOLID"},
                                                       {62, number}, {0, "LINE"}, {10, "0"}, {20, "100"},
                                                       {11, "50"}, {21, "100"}})
                                 .Eof()
                                 .Text();
    PluginHarness harness;
    const auto picture = harness.PictureFromMemory(text);
    ASSERT_EQ(picture.result, kSuccess);
    EXPECT_EQ(picture.PixelAt(10, 353), drawn) << number;
  }
}

TEST(DrawEntities, FailuresEndTheWalkAndKeepWhatWasDrawn) {
  ExpectDrawn({
      {"a value that does not convert",
       Scene({{0, "POINT"}, {10, "1"}, {20, "1"}, {0, "POINT"}, {10, "1.2.3"}, {0, "POINT"}, {10, "2"}}),
       {"pixel 1 452 0"}},
      {"a colour number that does not convert", Scene({{0, "SOLID"}, {62, "red"}, {0, "POINT"}}), {}},
      {"a pixel beyond 64 bits", Scene({{0, "POINT"}, {10, "1e38"}, {0, "POINT"}, {10, "2"}}), {}},
      {"a coordinate beyond the float range", Scene({{0, "POINT"}, {10, "1e39"}, {0, "POINT"}, {10, "2"}}), {}},
  });
  // The section loop ends too: a second ENTITIES section is not drawn, and
  // the picture is still delivered.
  PluginHarness harness;
  const std::string text = DxfText()
                               .Section("ENTITIES", {{0, "POINT"}, {10, "x"}})
                               .Section("ENTITIES", {{0, "POINT"}})
                               .Eof()
                               .Text();
  EXPECT_EQ(harness.PictureFromMemory(text).result, kSuccess);
  EXPECT_EQ(harness.Surfaces().CallStrings(), (Calls{"pen 0", "hollow_brush"}));
}

TEST(DrawEntities, UnclosedSectionEndsAtTheEndOfTheTextWithThePictureKept) {
  const std::string text = DxfText()
                               .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                               .Add(0, "SECTION")
                               .Add(2, "ENTITIES")
                               .Add({{0, "LINE"}, {10, "0"}, {20, "100"}, {11, "50"}, {21, "100"}, {0, "POINT"}})
                               .Text();
  PluginHarness harness;
  const auto picture = harness.PictureFromMemory(text);
  EXPECT_EQ(picture.result, kSuccess);
  EXPECT_EQ(picture.PixelAt(10, 353), 0x000000u);
}

TEST(DrawEntities, StopAskedWhileReadingDeliversThePartialPicture) {
  std::string text = DxfText()
                         .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                         .Add(0, "SECTION")
                         .Add(2, "ENTITIES")
                         .Add({{0, "LINE"}, {10, "0"}, {20, "100"}, {11, "50"}, {21, "100"}})
                         .Text();
  text += PairEndingOnReport(text);
  text += DxfText().Add({{0, "CIRCLE"}, {40, "5"}, {0, "LINE"}, {10, "9"}}).Add(0, "ENDSEC").Eof().Text();
  PluginHarness harness;
  const auto picture = harness.PictureFromMemory(text, 2);
  EXPECT_EQ(picture.result, kSuccess);
  EXPECT_EQ(picture.progress.back(), std::make_pair(110, 110));
  // The first LINE was being read at the report; its pass also draws the
  // CIRCLE that follows in test order, then the walk stops before the next
  // LINE.
  EXPECT_EQ(harness.Surfaces().CallStrings(),
            (Calls{"pen 0", "hollow_brush", "move 0 353", "line 50 353", "ellipse -5 458 5 448"}));
}

// A canvas whose text output always fails.
class FailingTextCanvas final : public Canvas {
 public:
  void SetPenColor(Color) override {}
  void SetPenDashes(std::span<const float>) override {}
  void SetTextColor(Color) override {}
  void Clear(Color) override {}
  void SetHollowBrush() override {}
  void MoveTo(std::int32_t, std::int32_t) override {}
  void LineTo(std::int32_t, std::int32_t) override {}
  void Ellipse(std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
  void Arc(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
           std::int32_t) override {}
  void SetPixel(std::int32_t, std::int32_t, Color) override { ++pixels; }
  void FillPolygon(std::span<const PolygonPoint>, std::span<const std::int32_t>) override {}
  void Text(std::int32_t, std::int32_t, std::string_view, std::int32_t, std::int32_t) override {
    throw ResourceFailure("no font");
  }
  int pixels = 0;
};

TEST(DrawEntities, AFailingTextCostsOnlyThatText) {
  const std::string text =
      DxfText().Add(2, "ENTITIES").Add({{0, "TEXT"}, {1, "x"}, {0, "POINT"}}).Add(0, "ENDSEC").Text();
  GroupPairReader reader;
  reader.Begin(text);
  reader.ReadGroupPair();
  FailingTextCanvas canvas;
  const Framing framing(Alignment::LowerLeft, 100, 100);
  const DrawingExtents extents{0, 0, 0, 0, 1};
  CanvasSink figures(canvas, framing, extents);
  BlockIndex blocks;
  EntityDrawer drawer(reader, figures, blocks);
  EXPECT_TRUE(drawer.DrawEntities());
  EXPECT_EQ(canvas.pixels, 1);
}

}  // namespace
}  // namespace karvex
