// HATCH with today's kinds on: a solid fill fills its boundary rings (islands
// are holes), a pattern hatch draws them; every kind of boundary edge comes
// out where the file puts it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/scenes.h"

namespace karvex {
namespace {

using testing::DrawnCalls;
using testing::Pair;
using testing::PluginHarness;
using testing::Scene;
using Calls = std::vector<std::string>;

Calls DrawnWithAllKinds(const std::string& text) {
  Settings settings;
  settings.AllKinds = 1;
  PluginHarness harness(settings);
  return DrawnCalls(harness, text);
}

// A HATCH: its header (with the elevation point, which is no vertex), the
// paths, then the pattern part.
std::string Hatch(bool solid, std::initializer_list<Pair> paths) {
  testing::DxfText text;
  text.Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "640"}, {20, "453"}});
  text.Add({{0, "SECTION"}, {2, "ENTITIES"}, {0, "HATCH"}, {10, "0"}, {20, "0"}, {30, "0"},
            {2, solid ? "SOLID" : "ANSI31"}, {70, solid ? "1" : "0"}, {71, "0"}, {91, "1"}});
  text.Add(paths);
  text.Add({{75, "0"}, {76, "1"}, {52, "45"}, {41, "1"}, {78, "1"}, {53, "45"}, {43, "0"}, {44, "0"}, {45, "-2"},
            {46, "2"}, {79, "0"}, {98, "1"}, {10, "3"}, {20, "3"}, {0, "POINT"}, {10, "1"}, {0, "ENDSEC"}});
  return text.Eof().Text();
}

// The points of a recorded fill: rings, ring sizes, then x y pairs.
std::vector<long> FillArgs(const std::string& call) {
  std::istringstream in(call);
  std::string op;
  in >> op;
  std::vector<long> args;
  for (long value; in >> value;) args.push_back(value);
  return args;
}

TEST(Hatch, ASolidFillFillsItsRingsAndAPatternDrawsThem) {
  const std::initializer_list<Pair> square = {{92, "2"},  {72, "0"},  {73, "1"},  {93, "4"}, {10, "10"},
                                              {20, "10"}, {10, "20"}, {20, "10"}, {10, "20"}, {20, "20"},
                                              {10, "10"}, {20, "20"}, {97, "0"}};
  EXPECT_EQ(DrawnWithAllKinds(Hatch(true, square)), (Calls{"fill 1 4 10 443 20 443 20 433 10 433", "pixel 1 453 0"}));
  // The pattern: lines at 45 degrees through multiples of (-2, 2).
  EXPECT_EQ(DrawnWithAllKinds(Hatch(false, square)),
            (Calls{"move 10 443", "line 20 443", "line 20 433", "line 10 433", "line 10 443", "move 18 443",
                   "line 20 441", "move 14 443", "line 20 437", "move 10 443", "line 20 433", "move 10 439",
                   "line 16 433", "move 10 435", "line 12 433", "pixel 1 453 0"}));
  EXPECT_EQ(DrawnCalls(Hatch(true, square)), (Calls{"pixel 1 453 0"})) << "without today's kinds";
  EXPECT_EQ(DrawnWithAllKinds(Hatch(true, {{92, "2"}, {93, "2"}, {10, "1"}, {20, "1"}, {10, "5"}, {20, "5"}})),
            (Calls{"pixel 1 453 0"}))
      << "a ring of two points encloses nothing";
}

// The pattern of Hatch(): lines at 45 degrees, 2 * sqrt(2) apart, solid.
// Here one family of level lines 5 apart, the second dashed 2 on, 3 off
// from x = 0.
TEST(Hatch, APatternDrawsItsLinesInsideTheBoundary) {
  const std::initializer_list<Pair> square = {{92, "2"}, {93, "4"},  {10, "10"}, {20, "10"}, {10, "20"},
                                              {20, "10"}, {10, "20"}, {20, "20"}, {10, "10"}, {20, "20"}};
  testing::DxfText text;
  text.Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "640"}, {20, "453"}});
  text.Add({{0, "SECTION"}, {2, "ENTITIES"}, {0, "HATCH"}, {2, "LEVEL"}, {70, "0"}, {91, "1"}});
  text.Add(square);
  text.Add({{75, "0"}, {76, "1"}, {78, "2"}, {53, "0"}, {43, "0"}, {44, "0"}, {45, "0"}, {46, "5"}, {79, "0"},
            {53, "0"}, {43, "0"}, {44, "12"}, {45, "0"}, {46, "100"}, {79, "2"}, {49, "2"}, {49, "-3"},
            {0, "ENDSEC"}});
  const Calls calls = DrawnWithAllKinds(text.Eof().Text());
  const Calls pattern(calls.begin() + 5, calls.end());
  EXPECT_EQ(pattern, (Calls{"move 10 438", "line 20 438", "move 10 433", "line 20 433", "move 10 441", "line 12 441",
                            "move 15 441", "line 17 441"}));
}

TEST(Hatch, IslandsAreRingsOfTheirOwn) {
  const Calls calls = DrawnWithAllKinds(Hatch(
      true, {{92, "2"}, {93, "3"}, {10, "0"}, {20, "0"}, {10, "30"}, {20, "0"}, {10, "0"}, {20, "30"}, {92, "2"},
             {93, "3"}, {10, "2"}, {20, "2"}, {10, "5"}, {20, "2"}, {10, "2"}, {20, "5"}}));
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0], "fill 2 3 3 0 453 30 453 0 423 2 451 5 451 2 448");
}

// Points i of a fill's single ring, as (column, row).
std::pair<long, long> RingPoint(const std::vector<long>& args, std::size_t i) {
  return {args[2 + 2 * i], args[3 + 2 * i]};
}

TEST(Hatch, EdgesAndBulgesLieWhereTheFilePutsThem) {
  // A half disc about (100, 100): a line, then an arc counter-clockwise
  // from 0 to 180 degrees, 128 segments for half a turn.
  {
    const Calls calls = DrawnWithAllKinds(
        Hatch(true, {{92, "1"}, {93, "2"}, {72, "1"}, {10, "90"}, {20, "100"}, {11, "110"}, {21, "100"}, {72, "2"},
                     {10, "100"}, {20, "100"}, {40, "10"}, {50, "0"}, {51, "180"}, {73, "1"}, {97, "0"}}));
    const std::vector<long> args = FillArgs(calls.at(0));
    ASSERT_EQ(args.size(), 2u + 2 * 131);
    EXPECT_EQ(RingPoint(args, 2), (std::pair<long, long>{110, 353}));
    EXPECT_EQ(RingPoint(args, 2 + 64), (std::pair<long, long>{100, 343})) << "the arc's top";
    EXPECT_EQ(RingPoint(args, 130), (std::pair<long, long>{90, 353}));
  }
  // Clockwise, the file keeps 360 less the true angles: stored 270 to 360
  // is the arc from 90 degrees down to 0.
  {
    const Calls calls = DrawnWithAllKinds(Hatch(
        true, {{92, "1"}, {93, "2"}, {72, "2"}, {10, "100"}, {20, "100"}, {40, "10"}, {50, "270"}, {51, "360"},
               {73, "0"}, {72, "1"}, {10, "110"}, {20, "100"}, {11, "100"}, {21, "100"}}));
    const std::vector<long> args = FillArgs(calls.at(0));
    EXPECT_EQ(RingPoint(args, 0), (std::pair<long, long>{100, 343}));
    EXPECT_EQ(RingPoint(args, 64), (std::pair<long, long>{110, 353}));
  }
  // An elliptic arc: major axis (20, 0), ratio 0.5, the whole turn.
  {
    const Calls calls = DrawnWithAllKinds(Hatch(true, {{92, "1"}, {93, "1"}, {72, "3"}, {10, "100"}, {20, "100"},
                                                       {11, "20"}, {21, "0"}, {40, "0.5"}, {50, "0"}, {51, "360"},
                                                       {73, "1"}}));
    const std::vector<long> args = FillArgs(calls.at(0));
    EXPECT_EQ(RingPoint(args, 0), (std::pair<long, long>{120, 353}));
    EXPECT_EQ(RingPoint(args, 64), (std::pair<long, long>{100, 343}));
    EXPECT_EQ(RingPoint(args, 128), (std::pair<long, long>{80, 353}));
  }
  // A bulge of -1 from (100, 100) to (110, 100): half a circle clockwise,
  // over the top.
  {
    const Calls calls = DrawnWithAllKinds(
        Hatch(true, {{92, "3"}, {72, "1"}, {73, "1"}, {93, "2"}, {10, "100"}, {20, "100"}, {42, "-1"}, {10, "110"},
                     {20, "100"}}));
    const std::vector<long> args = FillArgs(calls.at(0));
    EXPECT_EQ(RingPoint(args, 1), (std::pair<long, long>{100, 353}));
    EXPECT_EQ(RingPoint(args, 1 + 64), (std::pair<long, long>{105, 348})) << "the arc's top";
    EXPECT_EQ(RingPoint(args, 1 + 128), (std::pair<long, long>{110, 353}));
  }
}

}  // namespace
}  // namespace karvex
