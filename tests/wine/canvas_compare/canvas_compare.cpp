#include <cstdio>
#include <cstring>
#include <string>
#include <iostream>
#include <sstream>

#include "render/gdi_surface.h"
#include "render/raster_surface.h"

using namespace karvex;

static void Dump(DrawSurface& s) {
  const std::uint8_t* rows = s.BottomUpRows();
  const auto stride = static_cast<std::size_t>(RowStride(s.Width()));
  std::string out = "px";
  for (int y = 0; y < s.Height(); ++y) {
    const std::uint8_t* row = rows + static_cast<std::size_t>(s.Height() - 1 - y) * stride;
    for (int x = 0; x < s.Width(); ++x) {
      if (row[3 * x] != 0xFF || row[3 * x + 1] != 0xFF || row[3 * x + 2] != 0xFF) {
        out += " " + std::to_string(x) + "," + std::to_string(y);
      }
    }
  }
  std::puts(out.c_str());
}

int main(int argc, char** argv) {
  bool raster = argc > 1 && std::strcmp(argv[1], "raster") == 0;
  int w = 64, h = 64;
  std::string line;
  while (std::getline(std::cin, line)) {
    std::istringstream in(line);
    std::string op;
    in >> op;
    if (op == "size") { in >> w >> h; continue; }
    std::unique_ptr<DrawSurface> s;
    if (raster) s = std::make_unique<RasterSurface>(w, h, nullptr); else s = std::make_unique<GdiSurface>(w, h);
    Canvas& c = s->GetCanvas();
    c.SetPenColor(0);
    c.SetHollowBrush();
    int a[8] = {};
    if (op == "line") { in >> a[0] >> a[1] >> a[2] >> a[3]; c.MoveTo(a[0], a[1]); c.LineTo(a[2], a[3]); }
    else if (op == "ellipse") { in >> a[0] >> a[1] >> a[2] >> a[3]; c.Ellipse(a[0], a[1], a[2], a[3]); }
    else if (op == "arc") { for (int& v : a) in >> v; c.Arc(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]); }
    else if (op == "pixel") { in >> a[0] >> a[1]; c.SetPixel(a[0], a[1], 0); }
    Dump(*s);
    std::fflush(stdout);
  }
}
