// A picture framed by its own geometry is drawn after a first walk that
// measures it. That walk must place exactly what the drawing walk draws:
// every position it measures, mapped with the mapping the measurement
// chose, is the pixel the drawing walk hands the canvas, call for call.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "plugin/section_loop.h"
#include "render/bounds_sink.h"
#include "render/ray_clip.h"
#include "render/recording_canvas.h"
#include "settings/settings_drawing_options.h"
#include "support/plugin_harness.h"
#include "support/random_drawing.h"
#include "support/scenes.h"

namespace karvex::testing {
namespace {

using Calls = std::vector<std::string>;

// Writes down every figure of a walk in drawing units, measures it as the
// plug-in measures, and maps it afterwards as the drawing walk would.
class FigureLog final : public FigureSink {
 public:
  FigureLog(std::int32_t outputWidth, std::int32_t outputHeight)
      : bounds_(outputWidth, outputHeight), outputWidth_(outputWidth), outputHeight_(outputHeight) {}

  void BeginSection() override {}
  void SetPen(const Pen& pen) override {
    bounds_.SetPen(pen);
    visible_ = pen.visible;
  }
  void SetPenColor(Color) override {}
  void Outline(std::span<const DrawingPoint> points, bool closed) override {
    bounds_.Outline(points, closed);
    if (!visible_) return;
    Figure figure{Kind::Outline};
    figure.points.assign(points.begin(), points.end());
    figure.closed = closed;
    figures_.push_back(figure);
  }
  void MoveTo(const DrawingPoint& point) override {
    bounds_.MoveTo(point);
    if (visible_) figures_.push_back({Kind::Move, {point}});
  }
  void LineTo(const DrawingPoint& point) override {
    bounds_.LineTo(point);
    if (visible_) figures_.push_back({Kind::Line, {point}});
  }
  void Circle(const DrawingPoint& centre, float radius) override {
    bounds_.Circle(centre, radius);
    if (visible_) figures_.push_back({Kind::Circle, {centre}, {}, radius});
  }
  void Arc(const DrawingPoint& centre, float radius, const OffsetPoint& start, const OffsetPoint& end) override {
    bounds_.Arc(centre, radius, start, end);
    if (visible_) figures_.push_back({Kind::Arc, {centre}, {start, end}, radius});
  }
  void Point(const DrawingPoint& point) override {
    bounds_.Point(point);
    if (visible_) figures_.push_back({Kind::Point, {point}});
  }
  void Fill(std::span<const DrawingPoint> points, std::span<const std::int32_t> ringSizes) override {
    bounds_.Fill(points, ringSizes);
    if (!visible_) return;
    Figure figure{Kind::Fill};
    figure.points.assign(points.begin(), points.end());
    figure.rings.assign(ringSizes.begin(), ringSizes.end());
    figures_.push_back(figure);
  }
  void Text(const DrawingPoint& corner, float height, std::int32_t angle, std::string_view text) override {
    bounds_.Text(corner, height, angle, text);
    if (!visible_) return;
    Figure figure{Kind::Text, {corner}, {}, height};
    figure.angle = angle;
    figure.text = text;
    figures_.push_back(figure);
  }
  void Ray(const DrawingPoint& start, const DrawingPoint& direction, bool bothWays) override {
    bounds_.Ray(start, direction, bothWays);
    if (!visible_) return;
    Figure figure{Kind::Ray, {start, direction}};
    figure.closed = bothWays;
    figures_.push_back(figure);
  }
  long double ChordTolerance(long double extent) const override { return bounds_.ChordTolerance(extent); }

  const DrawingBox& Box() const { return bounds_.Box(); }

  // The canvas calls the figures make through mapping, as the recording
  // canvas writes them (pens, brushes and colours left out, a pixel
  // without its colour).
  Calls Mapped(const Mapping& mapping) const {
    Calls calls;
    auto add = [&](const std::string& op, std::initializer_list<std::int64_t> args, const std::string& text = "") {
      std::string call = op;
      for (std::int64_t arg : args) call += " " + std::to_string(arg);
      if (op == "text") call += " \"" + text + "\"";
      calls.push_back(call);
    };
    for (const Figure& f : figures_) {
      switch (f.kind) {
        case Kind::Outline: {
          std::vector<PixelPoint> pixels;
          for (const DrawingPoint& p : f.points) pixels.push_back(mapping.Map(p));
          add("move", {pixels[0].x, pixels[0].y});
          for (std::size_t i = 1; i < pixels.size(); ++i) add("line", {pixels[i].x, pixels[i].y});
          if (f.closed) add("line", {pixels[0].x, pixels[0].y});
          break;
        }
        case Kind::Move: {
          const PixelPoint p = mapping.Map(f.points[0]);
          add("move", {p.x, p.y});
          break;
        }
        case Kind::Line: {
          const PixelPoint p = mapping.Map(f.points[0]);
          add("line", {p.x, p.y});
          break;
        }
        case Kind::Circle: {
          const PixelBox b = mapping.CircleBox(f.points[0], f.size);
          add("ellipse", {b.left, b.top, b.right, b.bottom});
          break;
        }
        case Kind::Arc: {
          const PixelBox b = mapping.CircleBox(f.points[0], f.size);
          const PixelPoint s = mapping.Map(f.ends[0]);
          const PixelPoint e = mapping.Map(f.ends[1]);
          add("arc", {b.left, b.top, b.right, b.bottom, s.x, s.y, e.x, e.y});
          break;
        }
        case Kind::Point: {
          const PixelPoint p = mapping.Map(f.points[0]);
          add("pixel", {p.x, p.y});
          break;
        }
        case Kind::Fill: {
          std::string call = "fill " + std::to_string(f.rings.size());
          for (std::int32_t size : f.rings) call += " " + std::to_string(size);
          for (const DrawingPoint& point : f.points) {
            const PixelPoint p = mapping.Map(point);
            call += " " + std::to_string(p.x) + " " + std::to_string(p.y);
          }
          calls.push_back(call);
          break;
        }
        case Kind::Ray: {
          const auto line = ClipToPicture(mapping, outputWidth_, outputHeight_, f.points[0], f.points[1], f.closed);
          if (!line) break;
          const PixelPoint from = mapping.Map(line->from);
          const PixelPoint to = mapping.Map(line->to);
          add("move", {from.x, from.y});
          add("line", {to.x, to.y});
          break;
        }
        case Kind::Text: {
          const PixelPoint p = mapping.Map(f.points[0]);
          add("text", {p.x, p.y, mapping.MapLength(f.size), f.angle}, f.text);
          break;
        }
      }
    }
    return calls;
  }

 private:
  enum class Kind { Outline, Move, Line, Circle, Arc, Point, Text, Fill, Ray };
  struct Figure {
    Kind kind;
    std::vector<DrawingPoint> points;
    std::vector<OffsetPoint> ends;
    float size = 0;
    bool closed = false;  // a ray: both ways
    std::int32_t angle = 0;
    std::string text;
    std::vector<std::int32_t> rings;
  };

  BoundsSink bounds_;
  std::int32_t outputWidth_;
  std::int32_t outputHeight_;
  bool visible_ = true;
  std::vector<Figure> figures_;
};

struct Measured {
  Calls mapped;
  DrawingBox box;
};

// The drawing's figures as a walk of its own measures them, mapped with
// the mapping the plug-in chose.
Measured MeasureApart(const std::string& text, const Settings& settings, const Mapping& mapping) {
  GroupPairReader reader;
  DrawingExtents extents;
  BlockIndex blocks;
  LineTypeTable lineTypes;
  StyleTables styles;
  const DrawingOptions options = DrawingOptionsOf(settings);
  SectionLoop loop(reader, {extents, blocks, lineTypes, styles}, settings.OutputWidth, settings.OutputHeight, options);
  FigureLog log(settings.OutputWidth, settings.OutputHeight);
  reader.Begin(text);
  try {
    loop.Run(static_cast<FigureSink&>(log), nullptr);
  } catch (...) {
    // The drawing walk meets the same failure.
  }
  reader.End();
  return {log.Mapped(mapping), log.Box()};
}

bool SameBox(const DrawingBox& a, const DrawingBox& b) {
  return a.empty == b.empty && (a.empty || (a.minX == b.minX && a.minY == b.minY && a.maxX == b.maxX && a.maxY == b.maxY));
}

// The figure calls of a recorded canvas, pixels without their colour.
Calls FigureCalls(const std::vector<CanvasCall>& calls) {
  Calls figures;
  for (CanvasCall call : calls) {
    using K = CanvasCall::Kind;
    if (call.kind != K::MoveTo && call.kind != K::LineTo && call.kind != K::Ellipse && call.kind != K::Arc &&
        call.kind != K::Pixel && call.kind != K::Text && call.kind != K::FillPolygon) {
      continue;
    }
    if (call.kind == K::Pixel) call.args.pop_back();
    figures.push_back(ToString(call));
  }
  return figures;
}

Settings Fitted(bool styled, bool allKinds = false) {
  Settings settings;
  settings.CenterPos = 3;
  settings.LineTypes = settings.LineColors = styled ? 1 : 0;
  settings.AllKinds = allKinds ? 1 : 0;
  return settings;
}

// How many canvas calls were held against the measurement.
std::size_t ExpectAgreement(const std::string& text, const std::string& what,
                            const Settings& settings = Fitted(false)) {
  PluginHarness harness(settings);
  // A text that gives no picture (binary, cut short) has nothing to agree on.
  if (harness.PictureFromMemory(text).result != 0) return 0;
  const PictureFraming& framing = harness.Body().LastFraming();
  EXPECT_TRUE(framing.wasMeasured) << what;
  if (!framing.mapping) return 0;  // no ENTITIES section: nothing to agree on
  const Calls drawn = FigureCalls(harness.Surfaces().Calls());
  const Measured measured = MeasureApart(text, settings, *framing.mapping);
  EXPECT_TRUE(SameBox(measured.box, framing.measured)) << what << ": the plug-in measured another box";
  EXPECT_EQ(measured.mapped.size(), drawn.size()) << what;
  for (std::size_t i = 0; i < drawn.size() && i < measured.mapped.size(); ++i) {
    if (measured.mapped[i] != drawn[i]) {
      ADD_FAILURE() << what << ": call " << i << " measured " << measured.mapped[i] << ", drawn " << drawn[i];
      break;
    }
  }
  return drawn.size();
}

TEST(MeasuringWalk, PlacesWhatTheDrawingWalkDrawsInGeneratedDrawings) {
  std::size_t calls = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) calls += ExpectAgreement(RandomDrawing(seed, 60), "seed " + std::to_string(seed));
  calls += ExpectAgreement(LargeLineDrawing(2 << 20), "a large drawing");
  EXPECT_GT(calls, 20000u);
}

// Blocks scaled unequally, mirrored, arrayed and nested, whose circles and
// arcs become lines or swap their ends.
TEST(MeasuringWalk, PlacesWhatTheDrawingWalkDrawsInPlacedBlocks) {
  const std::string text = SceneWithBlocks(
      {{0, "BLOCK"}, {2, "IN"}, {10, "1"}, {20, "2"}, {0, "CIRCLE"}, {10, "3"}, {40, "2"}, {0, "ARC"}, {40, "4"},
       {50, "30"}, {51, "200"}, {0, "TEXT"}, {40, "1.5"}, {50, "20"}, {1, "t"}, {0, "ENDBLK"},
       {0, "BLOCK"}, {2, "OUT"}, {0, "INSERT"}, {2, "IN"}, {10, "7"}, {41, "-1.5"}, {50, "33"}, {0, "LINE"},
       {11, "9"}, {21, "4"}, {0, "ENDBLK"}},
      {{0, "INSERT"}, {2, "OUT"}, {10, "40"}, {20, "30"}, {41, "3"}, {42, "1.25"}, {50, "17"}, {70, "3"}, {71, "2"},
       {44, "25"}, {45, "30"}, {0, "INSERT"}, {2, "IN"}, {41, "-2"}, {42, "-2"}});
  EXPECT_GT(ExpectAgreement(text, "placed blocks", Fitted(true, true)), 1000u);
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Plain, and in line types and colours, where layers that are off are left
// out of both walks.
// Curves are cut by what they span, not by the scale the measurement
// chooses: both walks cut them alike, in a block turned and moved too.
TEST(MeasuringWalk, PlacesTheCurvesTheDrawingWalkDraws) {
  const std::string text = SceneWithBlocks(
      {{0, "BLOCK"}, {2, "C"}, {10, "5"}, {20, "5"},
       {0, "ELLIPSE"}, {10, "20"}, {20, "10"}, {11, "30"}, {21, "10"}, {40, "0.3"}, {41, "1"}, {42, "5"},
       {0, "SPLINE"}, {11, "0"}, {21, "0"}, {11, "10"}, {21, "30"}, {11, "40"}, {21, "-5"},
       {0, "LEADER"}, {10, "0"}, {20, "0"}, {10, "-20"}, {20, "15"}, {10, "-40"}, {20, "15"}, {0, "ENDBLK"}},
      {{0, "INSERT"}, {2, "C"}, {10, "200"}, {20, "100"}, {50, "33"},
       {0, "ELLIPSE"}, {10, "-50"}, {20, "40"}, {11, "0"}, {21, "3"}, {40, "0.9"}, {230, "-1"},
       {0, "SPLINE"}, {71, "3"}, {10, "0"}, {20, "0"}, {10, "100"}, {20, "300"}, {10, "200"}, {20, "-300"},
       {10, "300"}, {20, "0"}, {10, "350"}, {20, "50"},
       {0, "XLINE"}, {10, "100"}, {20, "100"}, {11, "1"}, {21, "2"},
       {0, "RAY"}, {10, "0"}, {20, "0"}, {11, "-1"}, {21, "0.1"}});
  EXPECT_GT(ExpectAgreement(text, "curves", Fitted(true, true)), 100u);
}

TEST(MeasuringWalk, PlacesWhatTheDrawingWalkDrawsInTheCorpus) {
  if (!std::filesystem::is_directory(KARVEX_CORPUS_DIR)) GTEST_SKIP() << "the corpus is not beside the project";
  for (const auto& entry : std::filesystem::directory_iterator(KARVEX_CORPUS_DIR)) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".dxf" && extension != ".DXF") continue;
    const std::string text = FileText(entry.path());
    ExpectAgreement(text, entry.path().filename().string());
    ExpectAgreement(text, entry.path().filename().string() + ", styled", Fitted(true));
    ExpectAgreement(text, entry.path().filename().string() + ", all kinds", Fitted(false, true));
    ExpectAgreement(text, entry.path().filename().string() + ", all kinds, styled", Fitted(true, true));
  }
  ExpectAgreement(FileText(std::string(KARVEX_FIXTURES_DIR) + "/styles.dxf"), "styles.dxf, styled", Fitted(true));
}

// Polylines with bulges, faces and entities seen from below, in the ENTITIES
// section and in a block inserted at an angle.
TEST(MeasuringWalk, PlacesTodaysShapesAsTheDrawingWalkDraws) {
  const std::initializer_list<Pair> shapes = {
      {0, "LWPOLYLINE"}, {70, "1"},  {10, "10"},  {20, "10"}, {42, "0.5"}, {10, "50"},  {20, "10"},  {42, "-2"},
      {10, "50"},        {20, "40"}, {230, "-1"}, {0, "POLYLINE"}, {70, "0"},  {0, "VERTEX"}, {10, "5"}, {20, "5"},
      {42, "1"},         {0, "VERTEX"}, {10, "25"}, {20, "5"},  {0, "SEQEND"}, {0, "3DFACE"}, {10, "0"}, {20, "0"},
      {11, "30"},        {21, "0"},  {12, "30"},  {22, "30"}, {70, "4"},   {0, "TRACE"},  {10, "0"},  {20, "0"},
      {11, "0"},         {21, "4"},  {12, "20"},  {22, "0"},  {13, "20"},  {23, "4"},   {0, "ARC"},   {10, "70"},
      {20, "70"},        {40, "9"},  {50, "10"},  {51, "250"}, {230, "-1"}};
  std::vector<Pair> block = {{0, "BLOCK"}, {2, "SHAPES"}, {10, "5"}, {20, "5"}};
  block.insert(block.end(), shapes.begin(), shapes.end());
  block.push_back({0, "ENDBLK"});
  std::string blockText;
  for (const Pair& pair : block) blockText += std::to_string(pair.code) + "\r\n" + pair.value + "\r\n";
  std::string entities;
  for (const Pair& pair : shapes) entities += std::to_string(pair.code) + "\r\n" + pair.value + "\r\n";
  entities += "0\r\nINSERT\r\n2\r\nSHAPES\r\n10\r\n200\r\n20\r\n100\r\n50\r\n33\r\n";
  const std::string text = DxfText()
                               .Section("HEADER", {{9, "$EXTMAX"}, {10, "640"}, {20, "453"}})
                               .Raw("0\r\nSECTION\r\n2\r\nBLOCKS\r\n" + blockText + "0\r\nENDSEC\r\n")
                               .Raw("0\r\nSECTION\r\n2\r\nENTITIES\r\n" + entities + "0\r\nENDSEC\r\n")
                               .Eof()
                               .Text();
  EXPECT_GT(ExpectAgreement(text, "today's shapes", Fitted(false, true)), 20u);
  EXPECT_GT(ExpectAgreement(text, "today's shapes, styled", Fitted(true, true)), 20u);
}

}  // namespace
}  // namespace karvex::testing
