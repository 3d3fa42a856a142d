#include <algorithm>

#include "render/draw_surface.h"
#include "render/ellipse_raster.h"
#include "render/line_raster.h"
#include "render/pixel_grid.h"
#include "render/raster_surface.h"

namespace karvex {

RasterCanvas::RasterCanvas(std::int32_t width, std::int32_t height, TextRasterizer* text)
    : width_(width), height_(height), stride_(static_cast<std::size_t>(RowStride(width))),
      pixels_(stride_ * static_cast<std::size_t>(height), 0xFF), text_(text) {
  // Row padding stays zero, as in a BMP file.
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  if (rowBytes == stride_) return;
  for (std::int32_t row = 0; row < height; ++row) {
    std::uint8_t* padding = pixels_.data() + static_cast<std::size_t>(row) * stride_ + rowBytes;
    std::fill(padding, padding + (stride_ - rowBytes), std::uint8_t{0});
  }
}

PixelGrid RasterCanvas::Grid(Color color) { return PixelGrid(pixels_.data(), width_, height_, stride_, color); }

Color RasterCanvas::PixelAt(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
  const std::uint8_t* pixel = pixels_.data() + static_cast<std::size_t>(height_ - 1 - y) * stride_ +
                              static_cast<std::size_t>(x) * 3;
  return static_cast<Color>(pixel[2]) | static_cast<Color>(pixel[1]) << 8 | static_cast<Color>(pixel[0]) << 16;
}

void RasterCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  currentX_ = x;
  currentY_ = y;
}

void RasterCanvas::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  Grid(ResolveColorReference(color)).Plot(x, y);
}

void RasterCanvas::LineTo(std::int32_t x, std::int32_t y) {
  DrawLine(Grid(penColor_), currentX_, currentY_, x, y);
  MoveTo(x, y);
}

void RasterCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  DrawEllipseOutline(Grid(penColor_), left, top, right, bottom);
}

void RasterCanvas::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                       std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) {
  DrawEllipseArc(Grid(penColor_), left, top, right, bottom, startX, startY, endX, endY);
}

void RasterCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
                        std::int32_t escapement) {
  if (text_ != nullptr) text_->DrawText(pixels_.data(), width_, height_, x, y, text, height, escapement);
}

}  // namespace karvex
