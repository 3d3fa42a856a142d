#include "support/ink_box.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "render/draw_surface.h"

namespace karvex::testing {

BottomUpImage::BottomUpImage(std::int32_t width, std::int32_t height, std::uint32_t fill)
    : width_(width), height_(height), stride_(static_cast<std::size_t>(RowStride(width))),
      rows_(stride_ * static_cast<std::size_t>(height), 0) {
  for (std::int32_t y = 0; y < height; ++y) {
    std::uint8_t* pixel = rows_.data() + static_cast<std::size_t>(y) * stride_;
    for (std::int32_t x = 0; x < width; ++x, pixel += 3) {
      pixel[0] = static_cast<std::uint8_t>(fill >> 16);
      pixel[1] = static_cast<std::uint8_t>(fill >> 8);
      pixel[2] = static_cast<std::uint8_t>(fill);
    }
  }
}

BottomUpImage::BottomUpImage(std::int32_t width, std::int32_t height, std::vector<std::uint8_t> rows)
    : width_(width), height_(height), stride_(static_cast<std::size_t>(RowStride(width))), rows_(std::move(rows)) {
  if (rows_.size() < stride_ * static_cast<std::size_t>(height)) throw std::invalid_argument("too few pixel bytes");
}

std::uint32_t BottomUpImage::PixelAt(std::int32_t x, std::int32_t y) const {
  const std::uint8_t* pixel =
      rows_.data() + static_cast<std::size_t>(height_ - 1 - y) * stride_ + static_cast<std::size_t>(x) * 3;
  return static_cast<std::uint32_t>(pixel[2]) | static_cast<std::uint32_t>(pixel[1]) << 8 |
         static_cast<std::uint32_t>(pixel[0]) << 16;
}

InkBox BottomUpImage::InkWithin(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const {
  InkBox box{width_, height_, -1, -1};
  for (std::int32_t y = std::max(top, 0); y <= std::min(bottom, height_ - 1); ++y) {
    for (std::int32_t x = std::max(left, 0); x <= std::min(right, width_ - 1); ++x) {
      if (!Inked(x, y)) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

}  // namespace karvex::testing
