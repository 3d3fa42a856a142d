#include "plugin/bmp_image.h"

#include <algorithm>
#include <cstring>

#include "render/draw_surface.h"

namespace karvex {

BmpImage::BmpImage(std::int32_t width, std::int32_t height, const std::uint8_t* bottomUpRows)
    : fileHeader_(BmpFileHeaderFor(static_cast<std::uint32_t>(RowStride(width) * height))), rows_(bottomUpRows) {
  const std::uint32_t rowBytes = fileHeader_.bfSize - kHeadersSize;
  infoHeader_.biSize = sizeof(BitmapInfoHeader);
  infoHeader_.biWidth = width;
  infoHeader_.biHeight = height;  // positive: rows are stored bottom-up
  infoHeader_.biPlanes = 1;
  infoHeader_.biBitCount = 24;
  infoHeader_.biCompression = 0;
  infoHeader_.biSizeImage = rowBytes;
  std::memcpy(headerBytes_.data(), &fileHeader_, sizeof fileHeader_);
  std::memcpy(headerBytes_.data() + sizeof fileHeader_, &infoHeader_, sizeof infoHeader_);
}

std::size_t BmpImage::Read(std::size_t offset, void* destination, std::size_t count) const {
  const std::size_t size = Size();
  if (offset >= size) return 0;
  count = std::min(count, size - offset);
  auto* out = static_cast<std::uint8_t*>(destination);
  std::size_t done = 0;
  if (offset < kHeadersSize) {
    done = std::min<std::size_t>(count, kHeadersSize - offset);
    std::memcpy(out, headerBytes_.data() + offset, done);
  }
  if (done < count) {
    std::memcpy(out + done, rows_ + (offset + done - kHeadersSize), count - done);
  }
  return count;
}

}  // namespace karvex
