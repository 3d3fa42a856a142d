#include "picture_difference.h"

namespace karvex::testing {
namespace {

bool Drawn(const std::uint8_t* pixel) { return pixel[0] != 0xFF || pixel[1] != 0xFF || pixel[2] != 0xFF; }

class Picture {
 public:
  Picture(const std::uint8_t* rows, std::int32_t width, std::int32_t height, std::size_t stride)
      : rows_(rows), width_(width), height_(height), stride_(stride) {}

  const std::uint8_t* At(std::int32_t x, std::int32_t y) const {
    return rows_ + static_cast<std::size_t>(y) * stride_ + static_cast<std::size_t>(x) * 3;
  }
  bool DrawnNear(std::int32_t x, std::int32_t y) const {
    for (std::int32_t ny = y - 1; ny <= y + 1; ++ny) {
      for (std::int32_t nx = x - 1; nx <= x + 1; ++nx) {
        if (nx >= 0 && ny >= 0 && nx < width_ && ny < height_ && Drawn(At(nx, ny))) return true;
      }
    }
    return false;
  }

 private:
  const std::uint8_t* rows_;
  std::int32_t width_;
  std::int32_t height_;
  std::size_t stride_;
};

}  // namespace

PictureDifference ComparePictures(const std::uint8_t* first, const std::uint8_t* second, std::int32_t width,
                                  std::int32_t height, std::size_t stride) {
  const Picture a(first, width, height, stride), b(second, width, height, stride);
  PictureDifference difference;
  for (std::int32_t y = 0; y < height; ++y) {
    for (std::int32_t x = 0; x < width; ++x) {
      const std::uint8_t* pa = a.At(x, y);
      const std::uint8_t* pb = b.At(x, y);
      const bool inA = Drawn(pa), inB = Drawn(pb);
      if (!inA && !inB) continue;
      ++difference.drawn;
      if (pa[0] == pb[0] && pa[1] == pb[1] && pa[2] == pb[2]) {
        ++difference.identical;
        continue;
      }
      if ((inA && !b.DrawnNear(x, y)) || (inB && !a.DrawnNear(x, y))) difference.offByMoreThanOne = true;
    }
  }
  return difference;
}

}  // namespace karvex::testing
