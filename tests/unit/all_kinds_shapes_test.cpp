// With all kinds on: lightweight polylines, polylines with bulges and
// meshes, 3D faces, traces, entities seen from below, and layers that are
// off or frozen. With it off, none of this changes a picture.
#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "render/bulge_arc.h"
#include "support/plugin_harness.h"
#include "support/scenes.h"

namespace karvex::testing {
namespace {

Settings AllKinds(bool on = true) {
  Settings settings;
  settings.AllKinds = on ? 1 : 0;
  return settings;
}

void ExpectDrawnWithAllKinds(const std::vector<DrawCase>& cases) {
  for (const DrawCase& c : cases) {
    PluginHarness harness(AllKinds());
    EXPECT_EQ(DrawnCalls(harness, c.text), c.expected) << c.name;
  }
}

TEST(BulgeArc, FindsTheCentreRadiusAndTurn) {
  struct Case {
    const char* name;
    double bulge;
    double centreX, centreY, radius, start, end;
  };
  // From (0, 0) to (2, 0).
  const Case cases[] = {
      {"half circle counter-clockwise: below the chord", 1, 1, 0, 1, 180, 0},
      {"half circle clockwise: above it, the angles swapped", -1, 1, 0, 1, 0, 180},
      {"quarter circle (tan 22.5 degrees)", 0.41421356237, 1, 1, 1.41421356, -135, -45},
      {"three quarters: the centre on the other side", 2.41421356237, 1, -1, 1.41421356, 135, 45},
  };
  for (const Case& c : cases) {
    const auto arc = ArcOfBulge(0, 0, 2, 0, c.bulge);
    ASSERT_TRUE(arc) << c.name;
    EXPECT_NEAR(arc->centreX, c.centreX, 1e-6) << c.name;
    EXPECT_NEAR(arc->centreY, c.centreY, 1e-6) << c.name;
    EXPECT_NEAR(arc->radius, c.radius, 1e-6) << c.name;
    EXPECT_NEAR(arc->startDegrees, c.start, 1e-6) << c.name;
    EXPECT_NEAR(arc->endDegrees, c.end, 1e-6) << c.name;
  }
  for (const double straight : {0.0, 1e-9, 1e5, -1e30, std::nan(""), HUGE_VAL}) {
    EXPECT_FALSE(ArcOfBulge(0, 0, 2, 0, straight)) << straight;
  }
  EXPECT_FALSE(ArcOfBulge(3, 3, 3, 3, 1)) << "a segment without length";
}

TEST(AllKinds, LightweightPolylinesWithBulgesAndTheirExtrusion) {
  ExpectDrawnWithAllKinds({
      {"open", Scene({{0, "LWPOLYLINE"}, {90, "3"}, {70, "0"}, {10, "10"}, {20, "10"}, {10, "50"}, {20, "10"},
                      {10, "50"}, {20, "40"}}),
       {"move 10 443", "line 50 443", "line 50 413"}},
      {"closed by flag 1, widths left to the centre line",
       Scene({{0, "LWPOLYLINE"}, {70, "129"}, {43, "5"}, {10, "10"}, {20, "10"}, {40, "2"}, {41, "3"}, {10, "50"},
              {20, "10"}, {10, "50"}, {20, "40"}}),
       {"move 10 443", "line 50 443", "line 50 413", "line 10 443"}},
      {"a bulge of 1 is the half circle below the segment, then on from its end",
       Scene({{0, "LWPOLYLINE"}, {10, "10"}, {20, "10"}, {42, "1"}, {10, "50"}, {20, "10"}, {10, "50"}, {20, "40"}}),
       {"move 10 443", "arc 10 463 50 423 10 443 50 443", "move 50 443", "line 50 413"}},
      {"a bulge of -1 the half circle above: the same arc's ends swapped",
       Scene({{0, "LWPOLYLINE"}, {10, "10"}, {20, "10"}, {42, "-1"}, {10, "50"}, {20, "10"}}),
       {"move 10 443", "arc 10 463 50 423 50 443 10 443", "move 50 443"}},
      {"the closing segment takes the last vertex's bulge",
       Scene({{0, "LWPOLYLINE"}, {70, "1"}, {10, "10"}, {20, "10"}, {10, "50"}, {20, "10"}, {42, "1"}}),
       {"move 10 443", "line 50 443", "arc 10 463 50 423 50 443 10 443", "move 10 443"}},
      {"seen from below (230 = -1): mirrored, the arc turning the other way",
       Scene({{0, "LWPOLYLINE"}, {10, "-10"}, {20, "10"}, {42, "1"}, {10, "-50"}, {20, "10"}, {210, "0"}, {220, "0"},
              {230, "-1"}}),
       {"move 10 443", "arc 10 463 50 423 50 443 10 443", "move 50 443"}},
  });
}

// Values that cannot be meant draw the entity as well as they can and go
// on with the next one. (A value that does not convert, NaN among them,
// ends the walk as it does in every kind.)
TEST(AllKinds, BadPolylineValuesCostAtMostTheirEntity) {
  const std::vector<Pair> next = {{0, "LINE"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}};
  auto then = [&](std::initializer_list<Pair> entity) {
    std::vector<Pair> pairs(entity);
    pairs.insert(pairs.end(), next.begin(), next.end());
    return pairs;
  };
  const std::vector<std::string> line = {"move 1 451", "line 3 449"};
  struct Case {
    const char* name;
    std::vector<Pair> pairs;
    std::vector<std::string> first;  // what the bad entity draws
  };
  const Case cases[] = {
      {"huge bulge: straight", then({{0, "LWPOLYLINE"}, {10, "0"}, {20, "0"}, {42, "1e30"}, {10, "5"}, {20, "0"}}),
       {"move 0 453", "line 5 453"}},
      {"bulge between two equal vertices", then({{0, "LWPOLYLINE"}, {10, "5"}, {20, "5"}, {42, "1"}, {10, "5"}, {20, "5"}}),
       {"move 5 448", "line 5 448"}},
      {"one vertex, and a 20 before any 10", then({{0, "LWPOLYLINE"}, {90, "1000000000"}, {20, "7"}, {10, "5"}}), {}},
      {"mesh that promises more than it has",
       then({{0, "POLYLINE"}, {70, "16"}, {71, "1000000"}, {72, "2"}, {0, "VERTEX"}, {10, "0"}, {20, "0"},
             {0, "VERTEX"}, {10, "5"}, {20, "0"}, {0, "VERTEX"}, {10, "9"}, {20, "9"}, {0, "SEQEND"}}),
       {"move 0 453", "line 5 453"}},
      {"faces naming vertices that are not there",
       then({{0, "POLYLINE"}, {70, "64"}, {0, "VERTEX"}, {70, "192"}, {10, "0"}, {20, "0"}, {0, "VERTEX"}, {70, "128"},
             {71, "1"}, {72, "99"}, {73, "-2147483648"}, {0, "SEQEND"}}),
       {}},
  };
  for (const Case& c : cases) {
    std::string entities;
    for (const Pair& pair : c.pairs) entities += std::to_string(pair.code) + "\r\n" + pair.value + "\r\n";
    const std::string text = DxfText()
                                 .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                                 .Raw("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + entities + "  0\r\nENDSEC\r\n")
                                 .Eof()
                                 .Text();
    std::vector<std::string> expected = c.first;
    expected.insert(expected.end(), line.begin(), line.end());
    PluginHarness harness(AllKinds());
    EXPECT_EQ(DrawnCalls(harness, text), expected) << c.name;
  }
}

TEST(AllKinds, PolylinesWithBulgesMeshesAndFaces) {
  ExpectDrawnWithAllKinds({
      {"bulges on VERTEX, frame points left out",
       Scene({{0, "POLYLINE"}, {66, "1"}, {70, "0"}, {0, "VERTEX"}, {10, "10"}, {20, "10"}, {42, "1"}, {0, "VERTEX"},
              {70, "16"}, {10, "99"}, {20, "99"}, {0, "VERTEX"}, {10, "50"}, {20, "10"}, {0, "SEQEND"}}),
       {"move 10 443", "arc 10 463 50 423 10 443 50 443", "move 50 443"}},
      {"a 3D polyline has no bulges",
       Scene({{0, "POLYLINE"}, {70, "8"}, {0, "VERTEX"}, {10, "10"}, {20, "10"}, {42, "1"}, {0, "VERTEX"}, {10, "50"},
              {20, "10"}, {0, "SEQEND"}}),
       {"move 10 443", "line 50 443"}},
      {"a 2 x 2 mesh closed in N: its rows, then its columns",
       Scene({{0, "POLYLINE"}, {70, "48"}, {71, "2"}, {72, "2"}, {0, "VERTEX"}, {10, "0"}, {20, "0"}, {0, "VERTEX"},
              {10, "10"}, {20, "0"}, {0, "VERTEX"}, {10, "0"}, {20, "10"}, {0, "VERTEX"}, {10, "10"}, {20, "10"},
              {0, "SEQEND"}}),
       {"move 0 453", "line 10 453", "line 0 453", "move 0 443", "line 10 443", "line 0 443", "move 0 453",
        "line 0 443", "move 10 453", "line 10 443"}},
      {"a polyface mesh: each face's visible edges",
       Scene({{0, "POLYLINE"}, {70, "64"}, {71, "4"}, {72, "1"}, {0, "VERTEX"}, {70, "192"}, {10, "0"}, {20, "0"},
              {0, "VERTEX"}, {70, "192"}, {10, "10"}, {20, "0"}, {0, "VERTEX"}, {70, "192"}, {10, "10"}, {20, "10"},
              {0, "VERTEX"}, {70, "192"}, {10, "0"}, {20, "10"}, {0, "VERTEX"}, {70, "128"}, {71, "1"}, {72, "2"},
              {73, "-3"}, {74, "4"}, {0, "SEQEND"}}),
       {"move 0 453", "line 10 453", "move 10 453", "line 10 443", "move 0 443", "line 0 453"}},
      {"vertices end at an entity that is not one, which is then drawn",
       Scene({{0, "POLYLINE"}, {0, "VERTEX"}, {10, "1"}, {20, "1"}, {0, "VERTEX"}, {10, "2"}, {20, "2"}, {0, "POINT"},
              {10, "7"}, {20, "7"}}),
       {"move 1 452", "line 2 451", "pixel 7 446 0"}},
  });
}

TEST(AllKinds, FacesTracesAndCirclesArcsAndSolidsSeenFromBelow) {
  ExpectDrawnWithAllKinds({
      {"3DFACE: edge 2-3 invisible",
       Scene({{0, "3DFACE"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"}, {12, "10"}, {22, "10"}, {13, "0"}, {23, "10"},
              {70, "2"}}),
       {"move 0 453", "line 10 453", "move 10 443", "line 0 443", "line 0 453"}},
      {"3DFACE with three corners: the fourth is the third",
       Scene({{0, "3DFACE"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"}, {12, "10"}, {22, "10"}}),
       {"move 0 453", "line 10 453", "line 10 443", "line 10 443", "line 0 453"}},
      {"TRACE: 1-2-4-3, as the band it is",
       Scene({{0, "TRACE"}, {10, "0"}, {20, "0"}, {11, "0"}, {21, "4"}, {12, "20"}, {22, "0"}, {13, "20"}, {23, "4"}}),
       {"move 0 453", "line 0 449", "line 20 449", "line 20 453", "line 0 453"}},
      {"CIRCLE seen from below",
       Scene({{0, "CIRCLE"}, {10, "-100"}, {20, "50"}, {40, "20"}, {230, "-1"}}), {"ellipse 80 423 120 383"}},
      {"ARC 0 to 90 seen from below: 90 to 180",
       Scene({{0, "ARC"}, {10, "-100"}, {20, "50"}, {40, "20"}, {50, "0"}, {51, "90"}, {230, "-1"}}),
       {"arc 80 423 120 383 100 383 80 403"}},
      {"SOLID seen from below, its colour number still the pen's",
       Scene({{0, "SOLID"}, {62, "255"}, {10, "0"}, {20, "0"}, {11, "-10"}, {21, "0"}, {12, "0"}, {22, "10"},
              {13, "-10"}, {23, "10"}, {230, "-1"}}),
       {"pen 255", "move 0 453", "line 10 453", "line 0 443", "line 10 443", "line 0 453"}},
  });
}

// The same drawings with the option off: today's pictures.
TEST(AllKinds, OffNothingOfItIsDrawn) {
  const std::string text =
      Scene({{0, "LWPOLYLINE"}, {10, "10"}, {20, "10"}, {10, "50"}, {20, "10"}, {0, "3DFACE"}, {10, "0"}, {20, "0"},
             {11, "5"}, {21, "0"}, {0, "CIRCLE"}, {10, "-100"}, {20, "50"}, {40, "20"}, {230, "-1"}, {0, "POLYLINE"},
             {0, "VERTEX"}, {10, "10"}, {20, "10"}, {42, "1"}, {0, "VERTEX"}, {10, "50"}, {20, "10"}, {0, "SEQEND"}});
  PluginHarness harness(AllKinds(false));
  EXPECT_EQ(DrawnCalls(harness, text),
            (std::vector<std::string>{"ellipse -120 423 -80 383", "move 10 443", "line 50 443"}));
}

// Layers that are off (negative colour) or frozen (flag 1) are left out
// with all kinds on, in colours or not; without it only the ones that are
// off, and only in colours.
TEST(AllKinds, LayersThatAreOffOrFrozenAreLeftOut) {
  const std::string tables =
      "  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n3\r\n"
      "  0\r\nLAYER\r\n  2\r\nOFF\r\n 70\r\n0\r\n 62\r\n-1\r\n  6\r\nCONTINUOUS\r\n"
      "  0\r\nLAYER\r\n  2\r\nFROZEN\r\n 70\r\n1\r\n 62\r\n3\r\n  6\r\nCONTINUOUS\r\n"
      "  0\r\nLAYER\r\n  2\r\nLOCKED\r\n 70\r\n4\r\n 62\r\n5\r\n  6\r\nCONTINUOUS\r\n"
      "  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n";
  const std::string entities = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                               "  0\r\nPOINT\r\n  8\r\nOFF\r\n 10\r\n1\r\n 20\r\n1\r\n"
                               "  0\r\nPOINT\r\n  8\r\nFROZEN\r\n 10\r\n2\r\n 20\r\n2\r\n"
                               "  0\r\nPOINT\r\n  8\r\nLOCKED\r\n 10\r\n3\r\n 20\r\n3\r\n"
                               "  0\r\nENDSEC\r\n";
  const std::string text = DxfText()
                               .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                               .Raw(tables + entities)
                               .Eof()
                               .Text();
  auto pixels = [&](bool allKinds, bool colours) {
    Settings settings = AllKinds(allKinds);
    settings.LineColors = colours ? 1 : 0;
    PluginHarness harness(settings);
    std::vector<std::string> drawn;
    for (const std::string& call : DrawnCalls(harness, text)) {
      if (call.rfind("pixel", 0) == 0) drawn.push_back(call.substr(0, call.rfind(' ')));
    }
    return drawn;
  };
  using Pixels = std::vector<std::string>;
  EXPECT_EQ(pixels(false, false), (Pixels{"pixel 1 452", "pixel 2 451", "pixel 3 450"}));
  EXPECT_EQ(pixels(false, true), (Pixels{"pixel 2 451", "pixel 3 450"}));
  EXPECT_EQ(pixels(true, false), (Pixels{"pixel 3 450"}));
  EXPECT_EQ(pixels(true, true), (Pixels{"pixel 3 450"}));
}

}  // namespace
}  // namespace karvex::testing
