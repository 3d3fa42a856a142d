#include "render/pen_raster.h"

#include "render/polygon_fill.h"

#include <cmath>

#include "render/ellipse_raster.h"
#include "render/line_raster.h"

namespace karvex {

void PenRaster::MoveTo(std::int32_t x, std::int32_t y) {
  currentX_ = x;
  currentY_ = y;
  dashPhase_ = 0;
}

void PenRaster::LineTo(std::int32_t x, std::int32_t y) {
  if (dashes_.Solid()) {
    DrawLine(Grid(color_), currentX_, currentY_, x, y);
  } else {
    DrawDashedLine(Grid(color_), currentX_, currentY_, x, y, dashes_, dashPhase_);
    // The pattern runs on into the next line from where this one ends.
    const double length = std::hypot(static_cast<double>(x) - currentX_, static_cast<double>(y) - currentY_);
    dashPhase_ = std::fmod(dashPhase_ + length, dashes_.Period());
  }
  currentX_ = x;
  currentY_ = y;
}

void PenRaster::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const {
  if (dashes_.Solid()) {
    DrawEllipseOutline(Grid(color_), left, top, right, bottom);
  } else {
    DrawDashedEllipseOutline(Grid(color_), dashes_, left, top, right, bottom);
  }
}

void PenRaster::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
                    std::int32_t startY, std::int32_t endX, std::int32_t endY) const {
  if (dashes_.Solid()) {
    DrawEllipseArc(Grid(color_), left, top, right, bottom, startX, startY, endX, endY);
  } else {
    DrawDashedEllipseArc(Grid(color_), dashes_, left, top, right, bottom, startX, startY, endX, endY);
  }
}

void PenRaster::Fill(Color color) const {
  const PixelGrid grid = Grid(color);
  for (std::int32_t y = 0; y < height_; ++y) {
    for (std::int32_t x = 0; x < width_; ++x) grid.PlotInside(x, y);
  }
}

void PenRaster::FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) {
  if (RingPoints(points, ringSizes) < 0) return;
  FillEvenOdd(Grid(color_), width_, height_, points, ringSizes);
  OutlineRings(*this, points, ringSizes);
}

}  // namespace karvex
