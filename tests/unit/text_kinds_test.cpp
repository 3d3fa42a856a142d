// The texts drawn when all kinds are: MTEXT, TEXT with its alignment, and
// the attributes. One drawing unit is one pixel (see Scene); a text call
// gives the cell's top-left corner, its height and escapement.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scenes.h"

namespace karvex::testing {
namespace {

Settings AllKinds() {
  Settings settings;
  settings.AllKinds = 1;
  return settings;
}

std::vector<std::string> DrawnWithAllKinds(const std::string& text) {
  PluginHarness harness(AllKinds());
  return DrawnCalls(harness, text);
}

void ExpectDrawnWithAllKinds(const std::vector<DrawCase>& cases) {
  for (const DrawCase& c : cases) EXPECT_EQ(DrawnWithAllKinds(c.text), c.expected) << c.name;
}

TEST(MtextWithAllKinds, IsPlacedByItsAttachmentPointDirectionAndLines) {
  ExpectDrawnWithAllKinds({
      {"top left: the first cell's corner on the point",
       Scene({{0, "MTEXT"}, {10, "10"}, {20, "100"}, {40, "10"}, {71, "1"}, {1, "AB"}}),
       {"text 10 353 10 0 \"AB\""}},
      {"\\P starts a line 5/3 of a height lower",
       Scene({{0, "MTEXT"}, {10, "10"}, {20, "100"}, {40, "10"}, {71, "1"}, {1, "AB\\PCD"}}),
       {"text 10 353 10 0 \"AB\"", "text 10 370 10 0 \"CD\""}},
      {"chunks (3) come before the last part (1)",
       Scene({{0, "MTEXT"}, {10, "10"}, {20, "100"}, {40, "10"}, {3, "AB\\"}, {1, "PCD"}}),
       {"text 10 353 10 0 \"AB\"", "text 10 370 10 0 \"CD\""}},
      {"middle centre: the cell's middle on the point",
       Scene({{0, "MTEXT"}, {10, "100"}, {20, "100"}, {40, "10"}, {71, "5"}, {1, "AB"}}),
       {"text 95 348 10 0 \"AB\""}},
      {"bottom right: the last cell's bottom right corner on the point",
       Scene({{0, "MTEXT"}, {10, "100"}, {20, "100"}, {40, "10"}, {71, "9"}, {1, "AB"}}),
       {"text 90 343 10 0 \"AB\""}},
      {"a full-width character is a whole height wide",
       Scene({{0, "MTEXT"}, {10, "100"}, {20, "100"}, {40, "10"}, {71, "3"}, {1, "\x8A\xBF" "A"}}),
       {"text 85 353 10 0 \"\x8A\xBF" "A\""}},
      {"the direction (11/21) turns it, before the rotation (50)",
       Scene({{0, "MTEXT"}, {10, "100"}, {20, "100"}, {40, "10"}, {11, "0"}, {21, "1"}, {50, "45"}, {1, "AB"}}),
       {"text 100 353 10 900 \"AB\""}},
      {"the rotation (50) in degrees",
       Scene({{0, "MTEXT"}, {10, "100"}, {20, "100"}, {40, "10"}, {50, "90"}, {1, "AB"}}),
       {"text 100 353 10 900 \"AB\""}},
      {"wrapped to the reference width after a space",
       Scene({{0, "MTEXT"}, {10, "10"}, {20, "100"}, {40, "10"}, {41, "25"}, {1, "AB CD EF"}}),
       {"text 10 353 10 0 \"AB CD\"", "text 10 370 10 0 \"EF\""}},
      {"line spacing factor 2 doubles the step",
       Scene({{0, "MTEXT"}, {10, "10"}, {20, "100"}, {40, "3"}, {44, "2"}, {1, "A\\PB"}}),
       {"text 10 353 3 0 \"A\"", "text 10 363 3 0 \"B\""}},
      {"formatting codes removed, a stacked fraction written a/b",
       Scene({{0, "MTEXT"}, {10, "0"}, {20, "100"}, {40, "10"}, {1, "{\\fArial|b1;\\H2x;Big} \\S1^2;\\~\\Lx\\l"}}),
       {"text 0 353 10 0 \"Big 1/2 x\""}},
      {"a value that does not convert is taken as not given",
       Scene({{0, "MTEXT"}, {10, "zz"}, {20, "100"}, {40, "10"}, {71, "q"}, {1, "AB"}, {0, "LINE"}, {11, "5"}}),
       {"text 0 353 10 0 \"AB\"", "move 0 453", "line 5 453"}},
  });
}

TEST(TextWithAllKinds, IsAlignedAtItsSecondPoint) {
  auto aligned = [](const char* horizontal, const char* vertical) {
    return Scene({{0, "TEXT"}, {10, "10"}, {20, "20"}, {11, "100"}, {21, "100"}, {40, "10"}, {72, horizontal},
                  {73, vertical}, {1, "ABCD"}});
  };
  ExpectDrawnWithAllKinds({
      {"left on the baseline stays at the first point", aligned("0", "0"), {"text 10 423 10 0 \"ABCD\""}},
      {"centre", aligned("1", "0"), {"text 90 343 10 0 \"ABCD\""}},
      {"right", aligned("2", "0"), {"text 80 343 10 0 \"ABCD\""}},
      {"middle: centred both ways", aligned("4", "0"), {"text 90 348 10 0 \"ABCD\""}},
      {"left, top", aligned("0", "3"), {"text 100 353 10 0 \"ABCD\""}},
      {"left, middle", aligned("0", "2"), {"text 100 348 10 0 \"ABCD\""}},
      {"fit: from the first point as left on the baseline", aligned("5", "0"), {"text 10 423 10 0 \"ABCD\""}},
      {"centred without a second point: at the first",
       Scene({{0, "TEXT"}, {10, "10"}, {20, "20"}, {40, "10"}, {72, "1"}, {1, "AB"}}), {"text 10 423 10 0 \"AB\""}},
      {"a rotation of -90 degrees reads downwards",
       Scene({{0, "TEXT"}, {10, "100"}, {20, "100"}, {40, "10"}, {50, "-90"}, {1, "AB"}}),
       {"text 110 353 10 2700 \"AB\""}},
  });
}

TEST(AttributesWithAllKinds, AreDrawnLikeTextUnlessInvisible) {
  ExpectDrawnWithAllKinds({
      {"an ATTRIB shows its value",
       Scene({{0, "ATTRIB"}, {10, "10"}, {20, "20"}, {40, "2"}, {1, "V"}, {2, "TAG"}, {70, "8"}}),
       {"text 10 431 2 0 \"V\""}},
      {"an invisible ATTRIB is not drawn",
       Scene({{0, "ATTRIB"}, {10, "10"}, {20, "20"}, {40, "2"}, {1, "V"}, {2, "TAG"}, {70, "1"}}), {}},
      {"an ATTRIB aligns by 72 and 74 (73 is its field length)",
       Scene({{0, "ATTRIB"}, {10, "0"}, {20, "0"}, {11, "100"}, {21, "100"}, {40, "10"}, {72, "2"}, {73, "3"},
              {74, "0"}, {1, "AB"}}),
       {"text 90 343 10 0 \"AB\""}},
      {"an ATTDEF in the drawing shows its tag",
       Scene({{0, "ATTDEF"}, {10, "10"}, {20, "20"}, {40, "2"}, {1, "default"}, {2, "TAG"}, {3, "prompt"}}),
       {"text 10 431 2 0 \"TAG\""}},
      {"a block's ATTDEF is not drawn, the INSERT's ATTRIB is",
       SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {10, "0"}, {20, "0"},
                        {0, "ATTDEF"}, {10, "1"}, {20, "1"}, {40, "2"}, {1, "d"}, {2, "TAG"}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "B"}, {10, "10"}, {20, "20"}, {66, "1"},
                        {0, "ATTRIB"}, {10, "11"}, {20, "21"}, {40, "2"}, {1, "V"}, {2, "TAG"}, {0, "SEQEND"}}),
       {"text 11 430 2 0 \"V\""}},
  });
}

// The seven kinds stay as they were: MTEXT and attributes are passed over,
// and a TEXT is left on its first point whatever its alignment.
TEST(TextsWithoutAllKinds, StayAsTheyWere) {
  ExpectDrawn({
      {"MTEXT and ATTRIB draw nothing",
       Scene({{0, "MTEXT"}, {10, "10"}, {20, "100"}, {1, "AB"}, {0, "ATTRIB"}, {1, "V"}}), {}},
      {"an aligned TEXT at its first point",
       Scene({{0, "TEXT"}, {10, "10"}, {20, "20"}, {11, "100"}, {21, "100"}, {40, "10"}, {72, "1"}, {1, "AB"}}),
       {"text 10 423 10 0 \"AB\""}},
  });
}

}  // namespace
}  // namespace karvex::testing
