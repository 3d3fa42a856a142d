// The SVG canvas: each drawing call as the element that draws the raster's
// figure in the same pixels, written as the calls come.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "render/svg_canvas.h"
#include "render/utf8_decoder.h"

namespace karvex {
namespace {

// A face whose cell and advances are easy to follow: the em is the height,
// three quarters of it above the base line, each character half an em.
class PlainLayout final : public TextLayout {
 public:
  std::string Family() const override { return "Plain Gothic"; }
  FontCell Cell(std::int32_t height) override { return {height, height * 3 / 4, height / 4}; }
  std::int64_t Advance(std::u32string_view characters, std::int32_t height, std::int32_t) override {
    return static_cast<std::int64_t>(characters.size()) * (height / 2);
  }
};

// The whole document the calls write on a 40 x 30 picture.
std::string Document(const std::function<void(SvgCanvas&)>& draw, bool withLayout = true) {
  char* bytes = nullptr;
  std::size_t size = 0;
  std::FILE* file = open_memstream(&bytes, &size);
  Utf8Decoder decoder;
  PlainLayout layout;
  {
    SvgCanvas canvas(file, 40, 30, kWhite, decoder, withLayout ? &layout : nullptr);
    draw(canvas);
    EXPECT_TRUE(canvas.Finish());
  }
  std::fclose(file);
  std::string document(bytes, size);
  std::free(bytes);
  return document;
}

// The elements between the drawing's group and its end.
std::string Body(const std::function<void(SvgCanvas&)>& draw, bool withLayout = true) {
  const std::string document = Document(draw, withLayout);
  const std::size_t start = document.find(">\n", document.find("<g ")) + 2;
  return document.substr(start, document.rfind("</g>") - start);
}

TEST(SvgCanvas, TheDocumentIsThePictureInPixelsOnItsBackground) {
  EXPECT_EQ(Document([](SvgCanvas&) {}),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"40\" height=\"30\" "
            "viewBox=\"0 0 40 30\">\n"
            "<rect width=\"40\" height=\"30\" fill=\"#ffffff\"/>\n"
            "<g transform=\"translate(0.5 0.5)\" fill=\"none\" stroke-width=\"1\" stroke-linejoin=\"round\" "
            "font-family=\"'Plain Gothic','MS Gothic',monospace\" text-anchor=\"start\" "
            "dominant-baseline=\"alphabetic\" xml:space=\"preserve\">\n"
            "</g>\n</svg>\n");
}

struct CallsCase {
  const char* what;
  std::function<void(SvgCanvas&)> draw;
  const char* elements;
};

TEST(SvgCanvas, EachCallBecomesTheElementThatDrawsItsFigure) {
  const CallsCase cases[] = {
      {"lines one after another with one pen are one path, a jump a move in it",
       [](SvgCanvas& c) {
         c.MoveTo(1, 2);
         c.LineTo(3, 4);
         c.LineTo(5, -6);
         c.MoveTo(5, -6);
         c.LineTo(7, 8);
         c.MoveTo(0, 0);
         c.LineTo(1, 1);
       },
       "<path stroke=\"#000000\" d=\"M1 2L3 4L5 -6L7 8M0 0L1 1\"/>\n"},
      {"a filled polygon is one path of its rings, filled even-odd in the pen's colour and stroked",
       [](SvgCanvas& c) {
         const PolygonPoint points[] = {{0, 0}, {20, 0}, {20, 20}, {5, 5}, {9, 5}, {9, 9}, {1, 1}};
         const std::int32_t rings[] = {3, 3};
         c.SetPenColor(0x0000FF);
         c.FillPolygon(points, rings);
       },
       "<path stroke=\"#ff0000\" fill=\"#ff0000\" fill-rule=\"evenodd\" d=\"M0 0L20 0L20 20ZM5 5L9 5L9 9Z\"/>\n"},
      {"a line of no length draws nothing",
       [](SvgCanvas& c) {
         c.MoveTo(4, 4);
         c.LineTo(4, 4);
       },
       ""},
      {"a new pen colour starts a new path, in that colour",
       [](SvgCanvas& c) {
         c.MoveTo(0, 0);
         c.LineTo(9, 0);
         c.SetPenColor(0x0000FF);
         c.LineTo(9, 9);
         c.SetPenColor(0x123456);
         c.LineTo(0, 9);
       },
       "<path stroke=\"#000000\" d=\"M0 0L9 0\"/>\n<path stroke=\"#ff0000\" d=\"M9 0L9 9\"/>\n"
       "<path stroke=\"#563412\" d=\"M9 9L0 9\"/>\n"},
      {"an ellipse runs through the centres of its box's outermost pixels, corners in any order",
       [](SvgCanvas& c) {
         c.Ellipse(10, 5, 21, 25);
         c.Ellipse(21, 25, 10, 5);
       },
       "<ellipse cx=\"15\" cy=\"14.5\" rx=\"5\" ry=\"9.5\" stroke=\"#000000\"/>\n"
       "<ellipse cx=\"15\" cy=\"14.5\" rx=\"5\" ry=\"9.5\" stroke=\"#000000\"/>\n"},
      {"a box two pixels across is filled, one of a pixel or of no width draws nothing",
       [](SvgCanvas& c) {
         c.Ellipse(3, 4, 5, 9);
         c.Ellipse(3, 4, 4, 5);
         c.Ellipse(3, 4, 3, 9);
       },
       "<rect x=\"2.5\" y=\"3.5\" width=\"2\" height=\"5\" fill=\"#000000\"/>\n"},
      {"an arc runs counter-clockwise as viewed, from the start ray to a pixel and a half short of the end ray "
       "(but to its end when that is angle 0)",
       [](SvgCanvas& c) {
         c.Arc(0, 0, 21, 21, 20, 10, 10, 0);
         c.Arc(0, 0, 21, 21, 10, 0, 30, 10);
         c.Arc(0, 0, 21, 21, 20, 10, 20, 9);
       },
       "<path stroke=\"#000000\" d=\"M20 10A10 10 0 0 0 11.49 0.11\"/>\n"
       "<path stroke=\"#000000\" d=\"M10 0A10 10 0 1 0 20 10\"/>\n"},
      {"an arc's rays start at the box centre rounded down to a pixel; its ends lie where they meet the outline",
       [](SvgCanvas& c) { c.Arc(0, 0, 20, 20, 19, 10, 10, 0); },
       "<path stroke=\"#000000\" d=\"M19 9.5A9.5 9.5 0 0 0 10.99 0.12\"/>\n"},
      {"start and end on one ray give the whole ellipse",
       [](SvgCanvas& c) { c.Arc(0, 0, 21, 21, 15, 5, 20, 0); },
       "<ellipse cx=\"10\" cy=\"10\" rx=\"10\" ry=\"10\" stroke=\"#000000\"/>\n"},
      {"a point is a square of one pixel in its own colour, and ends the path before it",
       [](SvgCanvas& c) {
         c.MoveTo(0, 0);
         c.LineTo(3, 0);
         c.SetPixel(7, -2, 0x00FF00);
         c.LineTo(5, 0);
       },
       "<path stroke=\"#000000\" d=\"M0 0L3 0\"/>\n<rect x=\"6.5\" y=\"-2.5\" width=\"1\" height=\"1\" "
       "fill=\"#00ff00\"/>\n<path stroke=\"#000000\" d=\"M3 0L5 0\"/>\n"},
      {"a text sits on the base line one ascent below its cell corner, escaped, at its length",
       [](SvgCanvas& c) { c.Text(10, 20, "A<&>\"'\xE6\x97\xA5\x01\n", 16, 0); },
       "<text x=\"9.5\" y=\"31.5\" font-size=\"16\" textLength=\"72\" fill=\"#000000\">"
       "A&lt;&amp;&gt;&quot;'\xE6\x97\xA5\xEF\xBF\xBD&#10;</text>\n"},
      {"a turned text turns about its cell corner, counter-clockwise as viewed",
       [](SvgCanvas& c) {
         c.Text(10, 20, "T", 8, 900);
         c.Text(10, 20, "T", 8, 3599);
       },
       "<text x=\"9.5\" y=\"25.5\" font-size=\"8\" textLength=\"4\" transform=\"rotate(-90 9.5 19.5)\" "
       "fill=\"#000000\">T</text>\n"
       "<text x=\"9.5\" y=\"25.5\" font-size=\"8\" textLength=\"4\" transform=\"rotate(-359.9 9.5 19.5)\" "
       "fill=\"#000000\">T</text>\n"},
      {"an empty text draws nothing", [](SvgCanvas& c) { c.Text(1, 1, "", 8, 0); }, ""},
  };
  for (const CallsCase& c : cases) EXPECT_EQ(Body(c.draw), c.elements) << c.what;
}

TEST(SvgCanvas, DashesTextColoursAndABackgroundAreWrittenAsTheCanvasIsToldThem) {
  const float dashDotGap[] = {6, -2, 0, -2};
  const float gapFirst[] = {-3, 4};
  const float twoDashes[] = {5, 3, -2};
  const float nothingDrawn[] = {-3, -4};
  const CallsCase cases[] = {
      {"a dashed pen gives its path the pattern, a dot a pixel taken from the gap after it",
       [&](SvgCanvas& c) {
         c.SetPenDashes(dashDotGap);
         c.MoveTo(0, 0);
         c.LineTo(9, 0);
       },
       "<path stroke=\"#000000\" stroke-dasharray=\"6 2 1 1\" d=\"M0 0L9 0\"/>\n"},
      {"a pattern starting with a gap starts with a dash of no length; dashes in a row are one",
       [&](SvgCanvas& c) {
         c.SetPenDashes(gapFirst);
         c.Ellipse(0, 0, 11, 11);
         c.SetPenDashes(twoDashes);
         c.Arc(0, 0, 21, 21, 10, 0, 30, 10);
       },
       "<ellipse cx=\"5\" cy=\"5\" rx=\"5\" ry=\"5\" stroke=\"#000000\" stroke-dasharray=\"0 3 4 0\"/>\n"
       "<path stroke=\"#000000\" stroke-dasharray=\"8 2\" d=\"M10 0A10 10 0 1 0 20 10\"/>\n"},
      {"a new pattern starts a new path; a pattern that draws nothing, or none, is solid",
       [&](SvgCanvas& c) {
         c.MoveTo(0, 0);
         c.LineTo(5, 0);
         c.SetPenDashes(twoDashes);
         c.LineTo(5, 5);
         c.SetPenDashes(nothingDrawn);
         c.LineTo(0, 5);
         c.SetPenDashes({});
         c.LineTo(0, 0);
       },
       "<path stroke=\"#000000\" d=\"M0 0L5 0\"/>\n<path stroke=\"#000000\" stroke-dasharray=\"8 2\" d=\"M5 0L5 5\"/>\n"
       "<path stroke=\"#000000\" d=\"M5 5L0 5L0 0\"/>\n"},
      {"texts take the text colour; a cleared picture is a rectangle of its colour over all before",
       [](SvgCanvas& c) {
         c.SetTextColor(0x0000FF);
         c.Text(10, 20, "T", 8, 0);
         c.Clear(0x203040);
       },
       "<text x=\"9.5\" y=\"25.5\" font-size=\"8\" textLength=\"4\" fill=\"#ff0000\">T</text>\n"
       "<rect x=\"-0.5\" y=\"-0.5\" width=\"40\" height=\"30\" fill=\"#403020\"/>\n"},
  };
  for (const CallsCase& c : cases) EXPECT_EQ(Body(c.draw), c.elements) << c.what;
}

TEST(SvgCanvas, WithoutAFontTextsAreLeftOutAsOnThePicture) {
  const std::string document = Document([](SvgCanvas& c) { c.Text(10, 20, "AB", 16, 0); }, false);
  EXPECT_EQ(document.find("<text"), std::string::npos) << document;
  EXPECT_EQ(document.find("font-family"), std::string::npos) << document;
}

TEST(SvgCanvas, LongRunsOfLinesAreSplitIntoPathsOfAThousandSegments) {
  const std::string body = Body([](SvgCanvas& c) {
    c.MoveTo(0, 0);
    for (int i = 1; i <= 2500; ++i) c.LineTo(i % 2 == 0 ? 0 : 9, i);
  });
  std::size_t paths = 0;
  for (std::size_t at = body.find("<path"); at != std::string::npos; at = body.find("<path", at + 1)) ++paths;
  EXPECT_EQ(paths, 3u);
  // Each path goes on from where the one before stopped.
  EXPECT_NE(body.find("L0 1000\"/>\n<path stroke=\"#000000\" d=\"M0 1000L9 1001"), std::string::npos);
}

}  // namespace
}  // namespace karvex
