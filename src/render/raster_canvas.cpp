#include <cstdlib>

#include "render/draw_surface.h"
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

void RasterCanvas::Plot(std::int64_t x, std::int64_t y, Color color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  // Row 0 is the top of the picture and the last row of the buffer.
  std::uint8_t* pixel = pixels_.data() + static_cast<std::size_t>(height_ - 1 - y) * stride_ +
                        static_cast<std::size_t>(x) * 3;
  pixel[0] = static_cast<std::uint8_t>(color >> 16);
  pixel[1] = static_cast<std::uint8_t>(color >> 8);
  pixel[2] = static_cast<std::uint8_t>(color);
}

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

void RasterCanvas::SetPixel(std::int32_t x, std::int32_t y, Color color) { Plot(x, y, color); }

// Placeholder rasterization: the GDI-exact rasterizer replaces these.
void RasterCanvas::LineTo(std::int32_t x, std::int32_t y) {
  std::int64_t x0 = currentX_, y0 = currentY_;
  const std::int64_t x1 = x, y1 = y;
  const std::int64_t dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
  const std::int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  std::int64_t error = dx + dy;
  while (!(x0 == x1 && y0 == y1)) {
    Plot(x0, y0, penColor_);
    const std::int64_t twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x0 += sx;
    }
    if (twice <= dx) {
      error += dx;
      y0 += sy;
    }
  }
  MoveTo(x, y);
}

void RasterCanvas::Ellipse(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}

void RasterCanvas::Arc(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                       std::int32_t, std::int32_t) {}

void RasterCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
                        std::int32_t escapement) {
  if (text_ != nullptr) text_->DrawText(pixels_.data(), width_, height_, x, y, text, height, escapement);
}

}  // namespace karvex
