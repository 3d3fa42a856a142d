#include <algorithm>

#include "render/draw_surface.h"
#include "render/raster_surface.h"

namespace karvex {

RasterCanvas::RasterCanvas(std::int32_t width, std::int32_t height, TextRasterizer* text)
    : width_(width), height_(height), stride_(static_cast<std::size_t>(RowStride(width))),
      pixels_(stride_ * static_cast<std::size_t>(height), 0xFF), pen_(pixels_.data(), width, height, stride_),
      text_(text) {
  // Row padding stays zero, as in a BMP file.
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  if (rowBytes == stride_) return;
  for (std::int32_t row = 0; row < height; ++row) {
    std::uint8_t* padding = pixels_.data() + static_cast<std::size_t>(row) * stride_ + rowBytes;
    std::fill(padding, padding + (stride_ - rowBytes), std::uint8_t{0});
  }
}

Color RasterCanvas::PixelAt(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kWhite;
  const std::uint8_t* pixel = pixels_.data() + static_cast<std::size_t>(height_ - 1 - y) * stride_ +
                              static_cast<std::size_t>(x) * 3;
  return static_cast<Color>(pixel[2]) | static_cast<Color>(pixel[1]) << 8 | static_cast<Color>(pixel[0]) << 16;
}

void RasterCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
                        std::int32_t escapement) {
  if (text_ != nullptr) text_->DrawText(pixels_.data(), width_, height_, x, y, text, height, escapement, textColor_);
}

}  // namespace karvex
