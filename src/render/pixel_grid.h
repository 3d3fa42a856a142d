#pragma once
// The rasterizers' view of the picture: 24-bit bottom-up rows (blue, green,
// red), row 0 of the picture being the last row of the buffer, and the one
// colour a figure is drawn in. Plotting is inline and bounds-checked, so the
// figure code never writes outside the picture. The smooth rasterizer blends
// the colour into a pixel by how much of it a figure covers instead.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "render/canvas.h"

namespace karvex {

// How much of a pixel a figure covers: 0 (none) to 255 (all of it).
using Coverage = std::uint32_t;
constexpr Coverage kFullCoverage = 255;

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

  void Blend(std::int64_t x, std::int64_t y, Coverage coverage) const {
    if (coverage == 0 || !Contains(x, y)) return;
    std::uint8_t* pixel = rows_ + static_cast<std::size_t>(height_ - 1 - y) * stride_ + static_cast<std::size_t>(x) * 3;
    pixel[0] = Mixed(pixel[0], blue_, coverage);
    pixel[1] = Mixed(pixel[1], green_, coverage);
    pixel[2] = Mixed(pixel[2], red_, coverage);
  }

  // A point of a figure a fraction of the way from one pixel to the next:
  // each gets the more of the ink the nearer the point lies to it. Halfway,
  // the first gets the larger share, as the hard-edged rasterizer sets the
  // smaller coordinate's pixel.
  void BlendBetween(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, double towardSecond) const {
    const double share = std::ceil(towardSecond * kFullCoverage - 0.5);
    const auto second = static_cast<Coverage>(std::clamp(share, 0.0, static_cast<double>(kFullCoverage)));
    Blend(x0, y0, kFullCoverage - second);
    Blend(x1, y1, second);
  }

 private:
  static std::uint8_t Mixed(std::uint32_t under, std::uint32_t over, Coverage coverage) {
    return static_cast<std::uint8_t>((under * (kFullCoverage - coverage) + over * coverage + 127) / kFullCoverage);
  }

  std::uint8_t* rows_;
  std::int32_t width_;
  std::int32_t height_;
  std::size_t stride_;
  std::uint8_t blue_;
  std::uint8_t green_;
  std::uint8_t red_;
};

}  // namespace karvex
