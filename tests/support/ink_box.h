#pragma once
// Where a picture holds ink: the smallest box around its non-white pixels,
// over the whole picture or one part of it.
#include <cstdint>
#include <vector>

namespace karvex::testing {

// Inclusive pixel bounds, row 0 at the top; empty when left > right.
struct InkBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = -1;
  std::int32_t bottom = -1;
  bool Empty() const { return left > right; }
  std::int32_t Width() const { return right - left + 1; }
  std::int32_t Height() const { return bottom - top + 1; }
};

// A 24-bit picture as bottom-up rows of blue, green, red, each row padded to
// four bytes, as surfaces and BMP files hold it.
class BottomUpImage {
 public:
  BottomUpImage(std::int32_t width, std::int32_t height, std::uint32_t fill = 0xFFFFFF);
  BottomUpImage(std::int32_t width, std::int32_t height, std::vector<std::uint8_t> rows);

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::uint8_t* Rows() { return rows_.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return rows_; }

  // 0x00BBGGRR at column x, row y (row 0 at the top).
  std::uint32_t PixelAt(std::int32_t x, std::int32_t y) const;
  bool Inked(std::int32_t x, std::int32_t y) const { return PixelAt(x, y) != 0xFFFFFF; }
  // Ink inside columns left..right and rows top..bottom (inclusive, cut to
  // the picture).
  InkBox InkWithin(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) const;
  InkBox Ink() const { return InkWithin(0, 0, width_ - 1, height_ - 1); }

 private:
  std::int32_t width_;
  std::int32_t height_;
  std::size_t stride_;
  std::vector<std::uint8_t> rows_;
};

}  // namespace karvex::testing
