#pragma once
// The rasterizers' view of the picture: 24-bit bottom-up rows (blue, green,
// red), row 0 of the picture being the last row of the buffer, and the one
// colour a figure is drawn in. Plotting is inline and bounds-checked, so the
// figure code never writes outside the picture.
#include <cstddef>
#include <cstdint>

#include "render/canvas.h"

namespace karvex {

class PixelGrid {
 public:
  PixelGrid(std::uint8_t* bottomUpRows, std::int32_t width, std::int32_t height, std::size_t stride, Color color)
      : rows_(bottomUpRows), width_(width), height_(height), stride_(stride),
        blue_(static_cast<std::uint8_t>(color >> 16)), green_(static_cast<std::uint8_t>(color >> 8)),
        red_(static_cast<std::uint8_t>(color)) {}

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }

  bool Contains(std::int64_t x, std::int64_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  void Plot(std::int64_t x, std::int64_t y) const {
    if (Contains(x, y)) PlotInside(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
  }

  // (x, y) must lie inside the picture.
  void PlotInside(std::int32_t x, std::int32_t y) const {
    std::uint8_t* pixel = rows_ + static_cast<std::size_t>(height_ - 1 - y) * stride_ + static_cast<std::size_t>(x) * 3;
    pixel[0] = blue_;
    pixel[1] = green_;
    pixel[2] = red_;
  }

 private:
  std::uint8_t* rows_;
  std::int32_t width_;
  std::int32_t height_;
  std::size_t stride_;
  std::uint8_t blue_;
  std::uint8_t green_;
  std::uint8_t red_;
};

}  // namespace karvex
