// ELLIPSE, SPLINE, LEADER, RAY and XLINE with all kinds on: where their
// points land on the picture, how finely curves are cut at its scale, and
// that nothing of them is drawn with the option off.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/scenes.h"

namespace karvex::testing {
namespace {

constexpr double kPi = 3.14159265358979323846;

Settings AllKinds(std::int32_t centerPos = 1) {
  Settings settings;
  settings.AllKinds = 1;
  settings.CenterPos = centerPos;
  return settings;
}

std::vector<std::string> Drawn(const std::string& text, const Settings& settings = AllKinds()) {
  PluginHarness harness(settings);
  return DrawnCalls(harness, text);
}

// The points of the move and line calls, in drawing units of a scene (one
// unit a pixel, y up from row 453).
struct Vertex {
  std::string op;
  double x, y;
};

std::vector<Vertex> Vertices(const std::vector<std::string>& calls) {
  std::vector<Vertex> vertices;
  for (const std::string& call : calls) {
    std::istringstream in(call);
    Vertex v;
    in >> v.op >> v.x >> v.y;
    if (v.op != "move" && v.op != "line") continue;
    v.y = 453 - v.y;
    vertices.push_back(v);
  }
  return vertices;
}

// Each case drawn with all kinds on.
void ExpectDrawnWithAllKinds(const std::vector<DrawCase>& cases) {
  for (const DrawCase& c : cases) EXPECT_EQ(Drawn(c.text), c.expected) << c.name;
}

std::string Fixed(double value) {
  std::ostringstream out;
  out.precision(17);
  out << value;
  return out.str();
}

TEST(TodaysKinds, AreDrawnOnlyWithAllKindsOn) {
  const std::vector<std::pair<const char*, std::string>> scenes = {
      {"ELLIPSE", Scene({{0, "ELLIPSE"}, {10, "300"}, {20, "200"}, {11, "100"}, {21, "0"}, {40, "0.5"}})},
      {"SPLINE", Scene({{0, "SPLINE"}, {71, "1"}, {10, "10"}, {20, "10"}, {10, "200"}, {20, "300"}})},
      {"LEADER", Scene({{0, "LEADER"}, {10, "10"}, {20, "10"}, {10, "200"}, {20, "300"}})},
      {"RAY", Scene({{0, "RAY"}, {10, "10"}, {20, "10"}, {11, "1"}, {21, "1"}})},
      {"XLINE", Scene({{0, "XLINE"}, {10, "10"}, {20, "10"}, {11, "1"}, {21, "1"}})},
  };
  for (const auto& [kind, text] : scenes) {
    EXPECT_TRUE(Drawn(text, Settings{}).empty()) << kind;
    EXPECT_FALSE(Drawn(text).empty()) << kind;
  }
}

struct EllipseCase {
  const char* name;
  std::string text;
  // How far a vertex lies from the curve, in pixels.
  std::function<double(double x, double y)> offCurve;
  double firstX, firstY, lastX, lastY;
};

// An axis-aligned ellipse about (cx, cy) with half-axes a (x) and b (y):
// the distance along the ray from the centre, close enough near the curve.
std::function<double(double, double)> OffEllipse(double cx, double cy, double a, double b) {
  return [=](double x, double y) {
    const double angle = std::atan2((y - cy) / b, (x - cx) / a);
    return std::hypot(x - (cx + a * std::cos(angle)), y - (cy + b * std::sin(angle)));
  };
}

TEST(TodaysKinds, EllipsePointsLieOnTheCurveFromStartToEnd) {
  const std::string quarter = Fixed(kPi / 2);
  const std::vector<EllipseCase> cases = {
      {"whole ellipse", Scene({{0, "ELLIPSE"}, {10, "320"}, {20, "200"}, {11, "200"}, {21, "0"}, {40, "0.5"}}),
       OffEllipse(320, 200, 200, 100), 520, 200, 520, 200},
      {"upright major axis", Scene({{0, "ELLIPSE"}, {10, "320"}, {20, "200"}, {11, "0"}, {21, "150"}, {40, "0.4"}}),
       OffEllipse(320, 200, 60, 150), 320, 350, 320, 350},
      {"first quarter",
       Scene({{0, "ELLIPSE"}, {10, "320"}, {20, "200"}, {11, "200"}, {21, "0"}, {40, "0.5"}, {42, quarter}}),
       OffEllipse(320, 200, 200, 100), 520, 200, 320, 300},
      {"first quarter, extrusion down: clockwise",
       Scene({{0, "ELLIPSE"}, {10, "320"}, {20, "200"}, {11, "200"}, {21, "0"}, {40, "0.5"}, {42, quarter},
              {230, "-1"}}),
       OffEllipse(320, 200, 200, 100), 520, 200, 320, 100},
      {"in a block turned a quarter turn",
       SceneWithBlocks({{0, "BLOCK"}, {2, "E"}, {10, "0"}, {20, "0"}, {0, "ELLIPSE"}, {11, "200"}, {40, "0.5"},
                        {42, quarter}, {0, "ENDBLK"}},
                       {{0, "INSERT"}, {2, "E"}, {10, "320"}, {20, "200"}, {50, "90"}}),
       OffEllipse(320, 200, 100, 200), 320, 400, 220, 200},
  };
  for (const EllipseCase& c : cases) {
    const std::vector<Vertex> vertices = Vertices(Drawn(c.text));
    ASSERT_GT(vertices.size(), 8u) << c.name;
    EXPECT_EQ(vertices.front().op, "move") << c.name;
    for (const Vertex& v : vertices) EXPECT_LE(c.offCurve(v.x, v.y), 1.0) << c.name << " at " << v.x << " " << v.y;
    EXPECT_NEAR(vertices.front().x, c.firstX, 1) << c.name;
    EXPECT_NEAR(vertices.front().y, c.firstY, 1) << c.name;
    EXPECT_NEAR(vertices.back().x, c.lastX, 1) << c.name;
    EXPECT_NEAR(vertices.back().y, c.lastY, 1) << c.name;
  }
}

// Half a pixel at the picture's scale: a circle of radius r pixels takes
// 2π / (2 acos(1 − 0.5 / r)) chords, rounded up to a multiple of four.
TEST(TodaysKinds, CurvesAreCutFinerAtALargerScale) {
  const std::string circle = Scene({{0, "ELLIPSE"}, {10, "320"}, {20, "200"}, {11, "100"}, {40, "1"}});
  Settings large = AllKinds();
  large.OutputWidth = 6400;
  large.OutputHeight = 4530;
  EXPECT_EQ(Drawn(circle).size(), 1u + 32u);  // r = 100: 31.4 chords
  EXPECT_EQ(Drawn(circle, large).size(), 1u + 100u);  // r = 1000: 99.3
}

TEST(TodaysKinds, SplinesThroughTheirControlAndFitPoints) {
  // A rational quarter circle of radius 200 about (100, 100).
  const std::string quarterCircle = Scene({{0, "SPLINE"}, {70, "4"}, {71, "2"}, {40, "0"}, {40, "0"}, {40, "0"},
                                           {40, "1"}, {40, "1"}, {40, "1"}, {41, "1"}, {41, "0.70710678"}, {41, "1"},
                                           {10, "300"}, {20, "100"}, {10, "300"}, {20, "300"}, {10, "100"}, {20, "300"}});
  const std::vector<Vertex> arc = Vertices(Drawn(quarterCircle));
  ASSERT_GT(arc.size(), 10u);
  for (const Vertex& v : arc) EXPECT_NEAR(std::hypot(v.x - 100, v.y - 100), 200, 1) << v.x << " " << v.y;
  EXPECT_EQ(arc.front().x, 300);
  EXPECT_EQ(arc.back().y, 300);

  // Without control points, a smooth curve through the fit points: each
  // one among the vertices, with more between.
  const std::vector<std::pair<double, double>> fit = {{50, 50}, {200, 250}, {350, 100}, {550, 300}};
  const std::vector<Vertex> through = Vertices(Drawn(Scene({{0, "SPLINE"}, {11, "50"}, {21, "50"}, {11, "200"},
                                                            {21, "250"}, {11, "350"}, {21, "100"}, {11, "550"},
                                                            {21, "300"}})));
  EXPECT_GT(through.size(), 3 * fit.size());
  for (const auto& [x, y] : fit) {
    bool found = false;
    for (const Vertex& v : through) found = found || (v.x == x && v.y == y);
    EXPECT_TRUE(found) << x << " " << y;
  }
}

// A spline whose values make no curve draws nothing; the entity after it
// is drawn all the same.
TEST(TodaysKinds, ASplineThatMakesNoCurveCostsOnlyItself) {
  const std::vector<std::pair<const char*, std::vector<Pair>>> spoilt = {
      {"a knot missing", {{71, "1"}, {40, "0"}, {40, "0"}, {40, "1"}, {10, "0"}, {20, "0"}, {10, "9"}, {20, "9"}}},
      {"knots going back", {{71, "1"}, {40, "0"}, {40, "2"}, {40, "1"}, {40, "3"}, {10, "0"}, {10, "9"}}},
      {"degree 0", {{71, "0"}, {10, "0"}, {10, "9"}}},
      {"degree 1000", {{71, "1000"}, {10, "0"}, {10, "9"}}},
      {"a weight of 0", {{71, "1"}, {41, "1"}, {41, "0"}, {10, "0"}, {10, "9"}}},
      {"one fit point", {{11, "5"}, {21, "5"}}},
  };
  for (const auto& [name, pairs] : spoilt) {
    DxfText entities;
    entities.Add(0, "SPLINE");
    for (const Pair& pair : pairs) entities.Add(pair.code, pair.value);
    entities.Add({{0, "LINE"}, {10, "1"}, {20, "2"}, {11, "3"}, {21, "4"}});
    const std::string text = DxfText()
                                 .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                                 .Raw("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + entities.Text() + "  0\r\nENDSEC\r\n")
                                 .Eof()
                                 .Text();
    EXPECT_EQ(Drawn(text), (std::vector<std::string>{"move 1 451", "line 3 449"})) << name;
  }
}

TEST(TodaysKinds, RaysAndXlinesRunToTheEdgesOfThePicture) {
  ExpectDrawnWithAllKinds({
      {"a ray to the right", Scene({{0, "RAY"}, {10, "320"}, {20, "200"}, {11, "2"}, {21, "0"}}),
       {"move 320 253", "line 640 253"}},
      {"a ray to the left", Scene({{0, "RAY"}, {10, "320"}, {20, "200"}, {11, "-1"}, {21, "0"}}),
       {"move 320 253", "line -1 253"}},
      {"an xline upright, both ways", Scene({{0, "XLINE"}, {10, "320"}, {20, "200"}, {11, "0"}, {21, "5"}}),
       {"move 320 453", "line 320 -1"}},
      {"a ray that starts off the picture and crosses it",
       Scene({{0, "RAY"}, {10, "-1000"}, {20, "-1000"}, {11, "1"}, {21, "1"}}), {"move 0 453", "line 454 -1"}},
      {"a ray that points away from the picture", Scene({{0, "RAY"}, {10, "-10"}, {20, "100"}, {11, "-1"}}), {}},
      {"no direction", Scene({{0, "XLINE"}, {10, "10"}, {20, "100"}, {11, "0"}, {21, "0"}}), {}},
  });
}

TEST(TodaysKinds, RaysLeaveTheFramedBoxAlone) {
  const Settings fitted = AllKinds(3);
  const std::vector<std::string> line = Drawn(Scene({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "10"}}), fitted);
  const std::vector<std::string> withRays =
      Drawn(Scene({{0, "LINE"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "10"}, {0, "XLINE"}, {10, "1e6"},
                   {20, "5"}, {11, "1"}, {0, "RAY"}, {10, "-1e6"}, {20, "-1e6"}, {11, "1"}, {21, "0"}}),
            fitted);
  ASSERT_EQ(withRays.size(), line.size() + 2);  // the ray misses the picture
  EXPECT_EQ(std::vector<std::string>(withRays.begin(), withRays.begin() + 2), line);
}

TEST(TodaysKinds, LeadersWithAndWithoutTheirArrowHead) {
  const std::vector<Pair> path = {{0, "LEADER"}, {10, "100"}, {20, "100"}, {10, "220"}, {20, "100"},
                                  {10, "300"}, {20, "200"}};
  auto leader = [&](std::vector<Pair> extra) {
    DxfText entities;
    for (const Pair& pair : path) entities.Add(pair.code, pair.value);
    for (const Pair& pair : extra) entities.Add(pair.code, pair.value);
    return DxfText()
        .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
        .Raw("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + entities.Text() + "  0\r\nENDSEC\r\n")
        .Eof()
        .Text();
  };
  const std::vector<std::string> straight = {"move 100 353", "line 220 353", "line 300 253"};
  ExpectDrawnWithAllKinds({
      // The head: as long as the text height (12), a third as wide,
      // pointing at the first vertex.
      {"with a head", leader({{40, "12"}}),
       {"move 100 353", "line 220 353", "line 300 253", "move 100 353", "line 112 351", "line 112 355",
        "line 100 353"}},
      // Without a text height: a quarter of the first segment.
      {"head without a text height", leader({}),
       {"move 100 353", "line 220 353", "line 300 253", "move 100 353", "line 130 348", "line 130 358",
        "line 100 353"}},
      {"flag 71 is 0", leader({{71, "0"}}), straight},
  });
  // A smooth path passes through its vertices with more points between.
  const std::vector<Vertex> smooth = Vertices(Drawn(leader({{71, "0"}, {72, "1"}})));
  EXPECT_GT(smooth.size(), 8u);
  EXPECT_EQ(smooth.front().x, 100);
  EXPECT_EQ(smooth.back().x, 300);
  EXPECT_EQ(smooth.back().y, 200);
}

}  // namespace
}  // namespace karvex::testing
