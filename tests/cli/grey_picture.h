#pragma once
// A PNG file read back as grey levels, and the comparisons the picture tests
// make on such pictures: ink (darkness) blurred over a pixel's neighbours.
#include <cstdint>
#include <string>
#include <vector>

namespace karvex::testing {

class GreyPicture {
 public:
  // Empty (0 x 0) when the file is no PNG that libpng reads.
  static GreyPicture FromPng(const std::string& path);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0; }
  // 0 (white) to 255 (black); 0 outside the picture.
  int Ink(std::int32_t x, std::int32_t y) const;
  // The mean ink of the 3 x 3 pixels around (x, y).
  int BlurredInk(std::int32_t x, std::int32_t y) const;

 private:
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint8_t> grey_;  // rows from the top, 255 white
};

}  // namespace karvex::testing
