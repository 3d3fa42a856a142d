#include "common/bmp_file.h"

#include <cstring>

namespace karvex::tools {

std::array<std::uint8_t, kBmpHeadersSize> BmpFileHeaders(const void* infoHeader, std::size_t pixelBytes) {
  const BitmapFileHeader file = BmpFileHeaderFor(static_cast<std::uint32_t>(pixelBytes));
  std::array<std::uint8_t, kBmpHeadersSize> headers{};
  std::memcpy(headers.data(), &file, sizeof file);
  std::memcpy(headers.data() + sizeof file, infoHeader, sizeof(BitmapInfoHeader));
  return headers;
}

std::vector<std::uint8_t> BmpFileFromBlocks(const void* infoHeader, const void* pixels, std::size_t pixelBytes) {
  const auto headers = BmpFileHeaders(infoHeader, pixelBytes);
  std::vector<std::uint8_t> file(headers.begin(), headers.end());
  file.resize(kBmpHeadersSize + pixelBytes);
  if (pixelBytes > 0) std::memcpy(file.data() + kBmpHeadersSize, pixels, pixelBytes);
  return file;
}

}  // namespace karvex::tools
