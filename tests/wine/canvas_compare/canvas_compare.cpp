// canvas_compare: draws figures through GDI (GdiSurface) and through our
// rasterizer (RasterSurface) in one process and compares the pixels. The
// Wine tests run it; it is also a tool for looking at single figures.
//
//   canvas_compare report [seed]     the fixed figure set, agreement per kind
//   canvas_compare draw gdi|raster W H   figures from stdin ("line x0 y0 x1 y1",
//                                        "ellipse l t r b", "arc l t r b sx sy ex ey",
//                                        "pixel x y"), one line of drawn pixels each
//   canvas_compare gdi-objects       draws with many pens, fonts and surfaces;
//                                    fails if GDI runs out of objects
//   canvas_compare colors            a line and a pixel in each colour reference of
//                                    the table, with its high byte, and the colour
//                                    each canvas drew
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "color_references.h"
#include "figure_set.h"
#include "picture_difference.h"
#include "render/arc_angles.h"
#include "render/gdi_surface.h"
#include "render/raster_surface.h"

namespace {

using karvex::DrawSurface;
using karvex::GdiSurface;
using karvex::RasterSurface;
using karvex::RowStride;
using namespace karvex::testing;

constexpr std::uint32_t kDefaultSeed = 20240611;
constexpr std::size_t kWorstShown = 3;

std::int64_t DrawnPixels(DrawSurface& surface) {
  const std::uint8_t* rows = surface.BottomUpRows();
  const auto stride = static_cast<std::size_t>(RowStride(surface.Width()));
  std::int64_t count = 0;
  for (std::int32_t y = 0; y < surface.Height(); ++y) {
    const std::uint8_t* row = rows + static_cast<std::size_t>(y) * stride;
    for (std::int32_t x = 0; x < surface.Width(); ++x) {
      if (row[3 * x] != 0xFF || row[3 * x + 1] != 0xFF || row[3 * x + 2] != 0xFF) ++count;
    }
  }
  return count;
}

struct Tally {
  std::int64_t figures = 0;
  std::int64_t identicalFigures = 0;
  std::int64_t drawn = 0;
  std::int64_t identical = 0;
  std::int64_t offByMore = 0;
  std::vector<std::pair<std::int64_t, std::string>> worst;
  std::vector<std::string> offByMoreExamples;

  void Add(const PictureDifference& difference, const std::string& description) {
    ++figures;
    drawn += difference.drawn;
    identical += difference.identical;
    if (difference.Differing() == 0) ++identicalFigures;
    if (difference.offByMoreThanOne) {
      ++offByMore;
      if (offByMoreExamples.size() < kWorstShown) offByMoreExamples.push_back(description);
    }
    if (difference.Differing() == 0) return;
    worst.emplace_back(difference.Differing(), description + (difference.offByMoreThanOne ? " (off by more)" : ""));
    std::stable_sort(worst.begin(), worst.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    if (worst.size() > kWorstShown) worst.pop_back();
  }

  void Print(const std::string& name) const {
    const double share = drawn == 0 ? 100.0 : 100.0 * static_cast<double>(identical) / static_cast<double>(drawn);
    std::printf("kind %s figures %lld identical-figures %lld drawn-pixels %lld identical-pixels %lld share %.4f%% "
                "off-by-more %lld\n",
                name.c_str(), static_cast<long long>(figures), static_cast<long long>(identicalFigures),
                static_cast<long long>(drawn), static_cast<long long>(identical), share,
                static_cast<long long>(offByMore));
    for (const auto& [differing, description] : worst) {
      std::printf("worst %s differing %lld %s\n", name.c_str(), static_cast<long long>(differing), description.c_str());
    }
    for (const std::string& description : offByMoreExamples) {
      std::printf("off-by-more %s %s\n", name.c_str(), description.c_str());
    }
  }
};

// Sign of the angle of the start ray minus that of the end ray, both from
// the box centre (rounded down): 0 when they are the same ray.
int CompareRays(const Figure& figure) {
  const std::int64_t cx = (std::int64_t{std::min(figure.args[0], figure.args[2])} + std::max(figure.args[0], figure.args[2])) >> 1;
  const std::int64_t cy = (std::int64_t{std::min(figure.args[1], figure.args[3])} + std::max(figure.args[1], figure.args[3])) >> 1;
  const karvex::Direction start = karvex::RayDirection(figure.args[4] - cx, cy - figure.args[5]);
  const karvex::Direction end = karvex::RayDirection(figure.args[6] - cx, cy - figure.args[7]);
  return karvex::CompareDirections(start, end);
}

int Report(std::uint32_t seed) {
  const std::vector<Figure> figures = MakeFigureSet(seed);
  std::map<std::string, Tally> tallies;
  std::vector<std::string> order;
  auto tally = [&](const std::string& name) -> Tally& {
    if (tallies.find(name) == tallies.end()) order.push_back(name);
    return tallies[name];
  };
  for (const char* name : {"lines", "points", "circles", "ellipses", "arcs"}) tally(name);
  Tally sameRay;

  for (const Figure& figure : figures) {
    GdiSurface gdi(kPictureWidth, kPictureHeight, karvex::GdiGeometry::Gdi);
    RasterSurface raster(kPictureWidth, kPictureHeight, nullptr);
    figure.Draw(gdi.GetCanvas());
    figure.Draw(raster.GetCanvas());
    const PictureDifference difference = ComparePictures(gdi.BottomUpRows(), raster.BottomUpRows(), kPictureWidth,
                                                         kPictureHeight, static_cast<std::size_t>(RowStride(kPictureWidth)));
    std::string group = GroupName(figure.group);
    if (figure.kind == Figure::Kind::Arc && figure.group == FigureGroup::Arcs) {
      if (CompareRays(figure) == 0) sameRay.Add(difference, figure.Describe());
      // A start ray just before the end ray with no outline point between
      // them: the arc draws nothing, but GDI under Wine goes round the whole
      // outline but one point.
      const std::int64_t ours = DrawnPixels(raster);
      if (ours == 0 && difference.drawn >= 1 && CompareRays(figure) < 0) {
        RasterSurface whole(kPictureWidth, kPictureHeight, nullptr);
        whole.GetCanvas().Arc(figure.args[0], figure.args[1], figure.args[2], figure.args[3], figure.args[4],
                              figure.args[5], figure.args[4], figure.args[5]);
        if (difference.drawn >= DrawnPixels(whole) - 1) group = "arcs-wrapping";
      }
    }
    tally(group).Add(difference, figure.Describe());
  }

  std::printf("seed %u figures %zu picture %dx%d\n", seed, figures.size(), kPictureWidth, kPictureHeight);
  for (const std::string& name : order) tallies[name].Print(name);
  sameRay.Print("arcs-same-ray");
  std::fflush(stdout);
  return 0;
}

int Draw(bool useGdi, std::int32_t width, std::int32_t height) {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string op;
    in >> op;
    Figure figure{Figure::Kind::Pixel, FigureGroup::Points};
    if (op == "line") {
      figure.kind = Figure::Kind::Line;
    } else if (op == "ellipse") {
      figure.kind = Figure::Kind::Ellipse;
    } else if (op == "arc") {
      figure.kind = Figure::Kind::Arc;
    } else if (op != "pixel") {
      continue;
    }
    for (std::int32_t& value : figure.args) in >> value;
    std::unique_ptr<DrawSurface> surface;
    if (useGdi) {
      surface = std::make_unique<GdiSurface>(width, height, karvex::GdiGeometry::Gdi);
    } else {
      surface = std::make_unique<RasterSurface>(width, height, nullptr);
    }
    figure.Draw(surface->GetCanvas());
    const std::uint8_t* rows = surface->BottomUpRows();
    const auto stride = static_cast<std::size_t>(RowStride(width));
    std::printf("px");
    for (std::int32_t y = 0; y < height; ++y) {
      const std::uint8_t* row = rows + static_cast<std::size_t>(height - 1 - y) * stride;
      for (std::int32_t x = 0; x < width; ++x) {
        if (row[3 * x] != 0xFF || row[3 * x + 1] != 0xFF || row[3 * x + 2] != 0xFF) std::printf(" %d,%d", x, y);
      }
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  return 0;
}

// The colour a canvas draws for a colour reference: a line over a grey one
// (so that white shows), and a pixel on grey. 0x00BBGGRR each.
struct DrawnColors {
  karvex::Color line;
  karvex::Color pixel;
};

DrawnColors DrawColor(DrawSurface& surface, karvex::Color reference) {
  constexpr karvex::Color kGrey = 0x808080;
  karvex::Canvas& canvas = surface.GetCanvas();
  canvas.SetPenColor(kGrey);
  canvas.MoveTo(0, 1);
  canvas.LineTo(8, 1);
  canvas.SetPixel(2, 4, kGrey);
  canvas.SetPenColor(reference);
  canvas.MoveTo(0, 1);
  canvas.LineTo(8, 1);
  canvas.SetPixel(2, 4, reference);
  const std::uint8_t* rows = surface.BottomUpRows();
  const auto stride = static_cast<std::size_t>(RowStride(surface.Width()));
  auto at = [&](std::int32_t x, std::int32_t y) {
    const std::uint8_t* pixel = rows + static_cast<std::size_t>(surface.Height() - 1 - y) * stride +
                                static_cast<std::size_t>(x) * 3;
    return static_cast<karvex::Color>(pixel[2]) | static_cast<karvex::Color>(pixel[1]) << 8 |
           static_cast<karvex::Color>(pixel[0]) << 16;
  };
  return {at(3, 1), at(2, 4)};
}

// One line per colour reference: what GDI draws (CreatePen and LineTo,
// SetPixel), what the plug-in's canvas draws (our rasterizer on the DIB
// section) and what the raster canvas draws.
int Colors() {
  for (const karvex::Color reference : ColorReferencesToCompare()) {
    GdiSurface gdi(10, 6, karvex::GdiGeometry::Gdi);
    GdiSurface plugin(10, 6, karvex::GdiGeometry::OwnRasterizer);
    RasterSurface raster(10, 6, nullptr);
    const DrawnColors byGdi = DrawColor(gdi, reference);
    const DrawnColors byPlugin = DrawColor(plugin, reference);
    const DrawnColors byRaster = DrawColor(raster, reference);
    std::printf("color 0x%08X gdi 0x%06X 0x%06X plugin 0x%06X 0x%06X raster 0x%06X 0x%06X\n",
                static_cast<unsigned>(reference), static_cast<unsigned>(byGdi.line),
                static_cast<unsigned>(byGdi.pixel), static_cast<unsigned>(byPlugin.line),
                static_cast<unsigned>(byPlugin.pixel), static_cast<unsigned>(byRaster.line),
                static_cast<unsigned>(byRaster.pixel));
  }
  std::fflush(stdout);
  return 0;
}

// GDI under Wine has 65536 object handles per process: drawing with more
// pens, fonts and surfaces than that only works when every object is
// released.
int GdiObjects() {
  constexpr int kPens = 70000, kTexts = 70000, kSurfaces = 70000;
  const char* stage = "pens";
  int done = 0;
  try {
    {
      GdiSurface surface(16, 16, karvex::GdiGeometry::Gdi);
      for (; done < kPens; ++done) surface.GetCanvas().SetPenColor(static_cast<karvex::Color>(done));
    }
    stage = "fonts";
    done = 0;
    {
      GdiSurface surface(16, 16);
      for (; done < kTexts; ++done) surface.GetCanvas().Text(0, 0, "A", 10 + done % 7, (done % 36) * 100);
    }
    stage = "surfaces";
    for (done = 0; done < kSurfaces; ++done) {
      GdiSurface surface(8, 8, done % 2 == 0 ? karvex::GdiGeometry::Gdi : karvex::GdiGeometry::OwnRasterizer);
      surface.GetCanvas().SetPenColor(0x0000FF);
      surface.GetCanvas().Text(0, 0, "A", 8, 0);
      surface.GetCanvas().Ellipse(0, 0, 6, 6);
    }
  } catch (const std::exception& failure) {
    std::printf("gdi-objects failed %s after %d: %s\n", stage, done, failure.what());
    return 1;
  }
  std::printf("gdi-objects pens %d fonts %d surfaces %d ok\n", kPens, kTexts, kSurfaces);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "report";
    if (mode == "report") {
      return Report(argc > 2 ? static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 10)) : kDefaultSeed);
    }
    if (mode == "draw" && argc > 4) {
      return Draw(std::strcmp(argv[2], "gdi") == 0, std::atoi(argv[3]), std::atoi(argv[4]));
    }
    if (mode == "gdi-objects") return GdiObjects();
    if (mode == "colors") return Colors();
  } catch (const std::exception& failure) {
    std::printf("failed: %s\n", failure.what());
    return 3;
  }
  std::fprintf(stderr, "usage: canvas_compare report [seed] | draw gdi|raster W H | gdi-objects | colors\n");
  return 2;
}
