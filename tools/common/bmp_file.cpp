#include "common/bmp_file.h"

#include <cstring>

namespace karvex::tools {

std::array<std::uint8_t, kBmpHeadersSize> BmpFileHeaders(const void* infoHeader, std::size_t pixelBytes) {
  constexpr std::size_t kFileHeaderSize = 14;
  constexpr std::size_t kInfoHeaderSize = 40;
  constexpr std::uint32_t kOffBits = kBmpHeadersSize;
  std::array<std::uint8_t, kBmpHeadersSize> headers{};
  const auto fileSize = static_cast<std::uint32_t>(kBmpHeadersSize + pixelBytes);
  headers[0] = 'B';
  headers[1] = 'M';
  for (int i = 0; i < 4; ++i) {
    headers[2 + i] = static_cast<std::uint8_t>(fileSize >> (8 * i));
    headers[10 + i] = static_cast<std::uint8_t>(kOffBits >> (8 * i));
  }
  std::memcpy(headers.data() + kFileHeaderSize, infoHeader, kInfoHeaderSize);
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
