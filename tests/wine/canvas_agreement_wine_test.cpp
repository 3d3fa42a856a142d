// Our rasterizer against GDI under Wine: the same figures drawn through both
// in one Windows process (canvas_compare.exe), pixel for pixel.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "wine/wine_session.h"

namespace karvex::testing {
namespace {

struct Agreement {
  long long figures = 0;
  long long identicalFigures = 0;
  long long drawn = 0;
  long long identical = 0;
  long long offByMore = 0;

  double Share() const { return drawn == 0 ? 1.0 : static_cast<double>(identical) / static_cast<double>(drawn); }
};

// "kind <name> figures F identical-figures I drawn-pixels D identical-pixels P share S% off-by-more O"
std::map<std::string, Agreement> ParseReport(const std::string& report) {
  std::map<std::string, Agreement> kinds;
  std::istringstream lines(report);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string tag, name, label, share;
    words >> tag >> name;
    if (tag != "kind") continue;
    Agreement& agreement = kinds[name];
    words >> label >> agreement.figures >> label >> agreement.identicalFigures >> label >> agreement.drawn >> label >>
        agreement.identical >> label >> share >> label >> agreement.offByMore;
  }
  return kinds;
}

TEST(CanvasAgreementUnderWine, RasterCanvasDrawsWhatGdiDraws) {
  const CommandResult run = WineSession::Get().Run({CanvasComparePath(), "report"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  std::cout << run.out;
  const std::map<std::string, Agreement> kinds = ParseReport(run.out);

  // Lines, points, circles and ellipses: every pixel of every figure.
  for (const char* name : {"lines", "points", "circles", "ellipses"}) {
    ASSERT_TRUE(kinds.count(name)) << name;
    const Agreement& agreement = kinds.at(name);
    EXPECT_GT(agreement.figures, 200) << name;
    EXPECT_EQ(agreement.identical, agreement.drawn) << name;
    EXPECT_EQ(agreement.identicalFigures, agreement.figures) << name;
  }

  // Arcs: at least 99.9 % of the pixels, nothing off by more than one pixel,
  // and the only figures that differ are those with start and end on one
  // ray, which we draw as the whole ellipse where GDI under Wine leaves one
  // outline point out.
  ASSERT_TRUE(kinds.count("arcs"));
  ASSERT_TRUE(kinds.count("arcs-same-ray"));
  const Agreement& arcs = kinds.at("arcs");
  const Agreement& sameRay = kinds.at("arcs-same-ray");
  EXPECT_GT(arcs.figures, 1000);
  EXPECT_GE(arcs.Share(), 0.999);
  EXPECT_EQ(arcs.offByMore, 0);
  EXPECT_EQ(arcs.figures - arcs.identicalFigures, sameRay.figures - sameRay.identicalFigures);
  EXPECT_LE(sameRay.drawn - sameRay.identical, sameRay.figures);
}

// A SOLID's colour number reaches the pen unchanged, high byte and all: the
// plug-in's canvas and the raster canvas draw each such colour reference as
// GDI does (CreatePen and LineTo, SetPixel) on the 24-bit picture.
TEST(CanvasAgreementUnderWine, ColourReferencesWithAHighByteDrawWhatGdiDraws) {
  const CommandResult run = WineSession::Get().Run({CanvasComparePath(), "colors"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  // "color 0x01000005 gdi 0x800080 0x800080 plugin 0x800080 0x800080 raster 0x800080 0x800080":
  // the line's colour, then the pixel's.
  std::istringstream lines(run.out);
  std::string line;
  int compared = 0;
  std::map<std::string, std::string> drawnByGdi;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string tag, reference, gdiLabel, gdiLine, gdiPixel, pluginLabel, pluginLine, pluginPixel, rasterLabel,
        rasterLine, rasterPixel;
    words >> tag >> reference >> gdiLabel >> gdiLine >> gdiPixel >> pluginLabel >> pluginLine >> pluginPixel >>
        rasterLabel >> rasterLine >> rasterPixel;
    if (tag != "color") continue;
    ++compared;
    drawnByGdi[reference] = gdiLine;
    EXPECT_EQ(gdiPixel, gdiLine) << line;
    EXPECT_EQ(pluginLine, gdiLine) << line;
    EXPECT_EQ(pluginPixel, gdiPixel) << line;
    EXPECT_EQ(rasterLine, gdiLine) << line;
    EXPECT_EQ(rasterPixel, gdiPixel) << line;
  }
  EXPECT_GE(compared, 40) << run.out;
  // The table reaches each way of reading the high byte.
  EXPECT_EQ(drawnByGdi["0x01000005"], "0x800080");  // an entry of the default palette
  EXPECT_EQ(drawnByGdi["0x7FFFFFFF"], "0x000000");  // an index past the palette
  EXPECT_EQ(drawnByGdi["0x10FF0003"], "0x000000");  // a colour-table index
  EXPECT_EQ(drawnByGdi["0x02FF0000"], "0xFF0000");  // the low 24 bits
}

TEST(CanvasAgreementUnderWine, GdiCanvasReleasesEveryObject) {
  const CommandResult run = WineSession::Get().Run({CanvasComparePath(), "gdi-objects"});
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("ok"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace karvex::testing
