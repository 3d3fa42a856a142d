// Where the alignment modes put a drawing: the mappings of modes 2 and 3,
// and the pictures they frame, against mode 1's.
#include "render/framing.h"

#include <gtest/gtest.h>

#include <string>

#include "render/bounds_sink.h"
#include "render/placement.h"
#include "settings/settings_drawing_options.h"
#include "support/ink_box.h"
#include "support/plugin_harness.h"
#include "support/scenes.h"

namespace karvex {
namespace {

using testing::BottomUpImage;
using testing::DxfText;
using testing::InkBox;
using testing::Pair;
using testing::PluginHarness;

DrawingBox Box(long double minX, long double minY, long double maxX, long double maxY) {
  DrawingBox box;
  box.Include(minX, minY);
  box.Include(maxX, maxY);
  return box;
}

TEST(FittedMapping, FillsThePictureLessTheMarginAndCentresTheBox) {
  // 640 x 453: a margin of 11, so columns 11..628 and rows 11..441 are
  // drawn on.
  ASSERT_EQ(FitMargin(640, 453), 11);
  const Mapping wide = FittedMapping(Box(100, 1000, 300, 1050), 640, 453);
  EXPECT_EQ(wide.MapPoint(100, 1025), (PixelPoint{11, 227}));
  EXPECT_EQ(wide.MapPoint(300, 1025), (PixelPoint{628, 227}));
  const Mapping tall = FittedMapping(Box(-5, -20, 5, 0), 640, 453);
  EXPECT_EQ(tall.MapPoint(-5, -20), (PixelPoint{212, 441}));
  EXPECT_EQ(tall.MapPoint(5, 0), (PixelPoint{427, 11}));
}

TEST(FittedMapping, DegenerateBoxesAreCentredAtASensibleScale) {
  // A line without width takes its scale from its height, and the other
  // way round; a single point is drawn at one pixel per unit.
  const Mapping vertical = FittedMapping(Box(7, 0, 7, 10), 640, 453);
  EXPECT_EQ(vertical.MapPoint(7, 0), (PixelPoint{319, 441}));
  EXPECT_EQ(vertical.MapPoint(7, 10), (PixelPoint{319, 11}));
  const Mapping horizontal = FittedMapping(Box(-1e6L, 3, 1e6L, 3), 640, 453);
  EXPECT_EQ(horizontal.MapPoint(-1e6f, 3), (PixelPoint{11, 226}));
  EXPECT_EQ(horizontal.MapPoint(1e6f, 3), (PixelPoint{628, 226}));
  // Far from the origin too: the point itself is where the mapping starts.
  const Mapping point = FittedMapping(Box(1e30f, -2, 1e30f, -2), 640, 453);
  EXPECT_EQ(point.Scale(), 1);
  EXPECT_EQ(point.MapPoint(1e30f, -2), (PixelPoint{319, 226}));
  // A picture too small for a margin maps the box all the same.
  EXPECT_EQ(FittedMapping(Box(0, 0, 10, 10), 1, 1).MapPoint(0, 0), (PixelPoint{0, 0}));
}

// The box of what is drawn: circles and arcs by their true extent, texts
// by their cells, figures of a pen that is not drawn left out.
TEST(BoundsSink, MeasuresWhatIsDrawn) {
  auto box = [](auto draw) {
    BoundsSink sink(640, 453);
    draw(sink);
    const DrawingBox& b = sink.Box();
    return b.empty ? std::string("empty")
                   : std::to_string(static_cast<double>(b.minX)).substr(0, 6) + " " +
                         std::to_string(static_cast<double>(b.minY)).substr(0, 6) + " " +
                         std::to_string(static_cast<double>(b.maxX)).substr(0, 6) + " " +
                         std::to_string(static_cast<double>(b.maxY)).substr(0, 6);
  };
  const SectionPlacement place;
  EXPECT_EQ(box([](BoundsSink&) {}), "empty");
  EXPECT_EQ(box([&](BoundsSink& s) { s.Circle({10, 20}, -5); }), "5.0000 15.000 15.000 25.000");
  // A quarter arc from 0 to 90 degrees, and the three quarters back.
  EXPECT_EQ(box([&](BoundsSink& s) { s.Arc({0, 0}, 10, place.RadialPoint(0, 0, 10, 0), place.RadialPoint(0, 0, 10, 90)); }),
            "-0.000 0.0000 10.000 10.000");
  EXPECT_EQ(box([&](BoundsSink& s) { s.Arc({0, 0}, 10, place.RadialPoint(0, 0, 10, 90), place.RadialPoint(0, 0, 10, 0)); }),
            "-10.00 -10.00 10.000 10.000");
  // "AB" 2 high, unturned: 2 wide, from its corner down; a full-width
  // character (two bytes of code page 932) counts as wide as high.
  EXPECT_EQ(box([&](BoundsSink& s) { s.Text({0, 2}, 2, 0, "AB"); }), "0.0000 0.0000 2.0000 2.0000");
  EXPECT_EQ(box([&](BoundsSink& s) { s.Text({0, 2}, 2, 0, "\x90\x7D"); }), "0.0000 0.0000 2.0000 2.0000");
  EXPECT_EQ(box([&](BoundsSink& s) { s.Text({0, 0}, 2, 0, ""); }), "empty");
  EXPECT_EQ(box([&](BoundsSink& s) {
              Pen off;
              off.visible = false;
              s.SetPen(off);
              s.Point({100, 100});
              s.SetPen(Pen{});
              s.Point({1, 1});
            }),
            "1.0000 1.0000 1.0000 1.0000");
}

TEST(CentredMapping, PutsTheOriginInTheMiddleAndFitsTheMirroredRectangle) {
  // (-10, -5) to (100, 50) mirrored is (-100, -50) to (100, 50): 3.2 pixels
  // a unit across 640.
  const Mapping mapping = CentredMapping(DrawingExtents{-10, -5, 100, 50, 0}, 640, 453);
  EXPECT_DOUBLE_EQ(static_cast<double>(mapping.Scale()), 3.2);
  EXPECT_EQ(mapping.MapPoint(0, 0), (PixelPoint{320, 226}));
  EXPECT_EQ(mapping.MapPoint(-100, 0), (PixelPoint{0, 226}));
  EXPECT_EQ(mapping.MapPoint(100, 0), (PixelPoint{640, 226}));
  EXPECT_EQ(mapping.MapPoint(0, 50), (PixelPoint{320, 66}));
  // A rectangle that is a point counts 10000 units each way, as a HEADER
  // without extents does.
  EXPECT_DOUBLE_EQ(static_cast<double>(CentredMapping(DrawingExtents{}, 640, 453).Scale()), 453.0 / 20000);
}

TEST(DrawingOptionsOf, ModesTwoAndThreeAndEveryOtherValueAsOne) {
  const std::pair<std::int32_t, Alignment> cases[] = {
      {1, Alignment::LowerLeft}, {2, Alignment::CentreOnOrigin}, {3, Alignment::Fit},
      {0, Alignment::LowerLeft}, {4, Alignment::LowerLeft},      {-3, Alignment::LowerLeft},
  };
  for (const auto& [centerPos, alignment] : cases) {
    Settings settings;
    settings.CenterPos = centerPos;
    EXPECT_EQ(DrawingOptionsOf(settings).alignment, alignment) << centerPos;
  }
}

InkBox InkOf(const testing::PictureResult& picture) {
  return BottomUpImage(picture.header.biWidth, picture.header.biHeight, picture.pixels).Ink();
}

testing::PictureResult Picture(const std::string& text, std::int32_t mode) {
  Settings settings;
  settings.CenterPos = mode;
  PluginHarness harness(settings);
  return harness.PictureFromMemory(text);
}

TEST(FitMode, FramesTheDrawingWhateverItsHeaderSays) {
  // A stale HEADER whose rectangle reaches 1e20: mode 1 draws a dot at the
  // corner, mode 3 the drawing across the picture.
  const std::string stale =
      DxfText()
          .Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "1e20"}, {20, "1e20"}})
          .Section("ENTITIES", {{0, "LINE"}, {10, "5000"}, {20, "5000"}, {11, "5400"}, {21, "5100"},
                                {0, "CIRCLE"}, {10, "5200"}, {20, "5050"}, {40, "50"}})
          .Eof()
          .Text();
  const InkBox lowerLeft = InkOf(Picture(stale, 1));
  EXPECT_LE(lowerLeft.Width(), 1);
  const InkBox fitted = InkOf(Picture(stale, 3));
  EXPECT_EQ(fitted.left, 11);
  EXPECT_EQ(fitted.right, 627);  // the end pixel of a line is not drawn
  // 100 units high at 617 / 400 pixels a unit, in the middle.
  EXPECT_NEAR(fitted.top + fitted.bottom, 452, 2);

  // Without a HEADER a drawing is still framed.
  const InkBox noHeader = InkOf(Picture(testing::EntitiesOnly({{0, "LINE"}, {10, "-3"}, {20, "1"}, {11, "3"}, {21, "2"}}), 3));
  EXPECT_EQ(noHeader.left, 11);
  EXPECT_EQ(noHeader.right, 627);
}

TEST(FitMode, DegenerateAndEmptyDrawings) {
  // One point lands in the middle; nothing drawn stays white.
  const testing::PictureResult point = Picture(testing::EntitiesOnly({{0, "POINT"}, {10, "123.5"}, {20, "-7"}}), 3);
  EXPECT_EQ(point.InkedPixels(), 1);
  EXPECT_EQ(point.PixelAt(319, 226), 0u);
  const testing::PictureResult empty = Picture(testing::EntitiesOnly({{0, "LWPOLYLINE"}, {10, "1"}, {20, "1"}}), 3);
  EXPECT_EQ(empty.result, 0);
  EXPECT_EQ(empty.InkedPixels(), 0);
}

TEST(CentreMode, PutsTheOriginInTheMiddle) {
  // The HEADER's (0, 0) to (100, 50) mirrored: 3.2 pixels a unit.
  const std::string text =
      DxfText()
          .Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "100"}, {20, "50"}})
          .Section("ENTITIES", {{0, "POINT"}, {10, "0"}, {20, "0"}, {0, "POINT"}, {10, "-50"}, {20, "25"}})
          .Eof()
          .Text();
  const testing::PictureResult picture = Picture(text, 2);
  EXPECT_EQ(picture.InkedPixels(), 2);
  EXPECT_EQ(picture.PixelAt(320, 226), 0u);
  EXPECT_EQ(picture.PixelAt(160, 146), 0u);
}

}  // namespace
}  // namespace karvex
