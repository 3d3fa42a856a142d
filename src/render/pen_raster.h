#pragma once
// Lines, ellipse outlines and arcs drawn by our own rasterizer into a 24-bit
// picture with a pen: its colour, its dash pattern, and the current
// position the next line starts from. The raster canvas and the plug-in's
// GDI canvas both draw their figures through it, so they set the same
// pixels.
#include <cstddef>
#include <cstdint>
#include <span>

#include "render/canvas.h"
#include "render/color_reference.h"
#include "render/dash_pattern.h"
#include "render/pixel_grid.h"

namespace karvex {

class PenRaster {
 public:
  // The picture's bottom-up rows; it must outlive the raster.
  PenRaster(std::uint8_t* bottomUpRows, std::int32_t width, std::int32_t height, std::size_t stride)
      : rows_(bottomUpRows), width_(width), height_(height), stride_(stride) {}

  // A colour reference with a high byte is read as the platform reads it
  // (ResolveColorReference), for the pen as for a pixel.
  void SetColor(Color color) { color_ = ResolveColorReference(color); }
  void SetDashes(std::span<const float> pattern) { dashes_.Set(pattern); }
  void MoveTo(std::int32_t x, std::int32_t y);
  void LineTo(std::int32_t x, std::int32_t y);
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const;
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) const;
  // One pixel in color, whatever the pen.
  void SetPixel(std::int32_t x, std::int32_t y, Color color) const { Grid(ResolveColorReference(color)).Plot(x, y); }
  // Every pixel of the picture in color.
  void Fill(Color color) const;
  // The rings' inside in the pen's colour, then their outlines with the
  // pen (Canvas::FillPolygon).
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes);

 private:
  PixelGrid Grid(Color color) const { return PixelGrid(rows_, width_, height_, stride_, color); }

  std::uint8_t* rows_;
  std::int32_t width_;
  std::int32_t height_;
  std::size_t stride_;
  Color color_ = kBlack;  // as drawn: resolved
  DashPattern dashes_;
  // How far along the dash pattern the current position is.
  double dashPhase_ = 0;
  std::int32_t currentX_ = 0;
  std::int32_t currentY_ = 0;
};

}  // namespace karvex
