#pragma once
// A picture serialised as a Windows BMP file image (file header, info header,
// bottom-up 24-bit rows), read like a memory stream. The rows are not copied:
// the image reads them from the picture it was made from.
#include <array>
#include <cstddef>
#include <cstdint>

#include "plugin/bitmap_headers.h"

namespace karvex {

class BmpImage {
 public:
  static constexpr std::uint32_t kHeadersSize = kBmpHeadersSize;

  // width x height pixels whose rows start at bottomUpRows; the image must
  // fit 32-bit sizes (callers check the size first).
  BmpImage(std::int32_t width, std::int32_t height, const std::uint8_t* bottomUpRows);

  std::uint32_t Size() const { return fileHeader_.bfSize; }
  const BitmapFileHeader& FileHeader() const { return fileHeader_; }
  const BitmapInfoHeader& InfoHeader() const { return infoHeader_; }

  // Copies up to count bytes from offset; returns how many there were.
  std::size_t Read(std::size_t offset, void* destination, std::size_t count) const;

 private:
  BitmapFileHeader fileHeader_;
  BitmapInfoHeader infoHeader_{};
  std::array<std::uint8_t, kHeadersSize> headerBytes_{};
  const std::uint8_t* rows_;
};

}  // namespace karvex
