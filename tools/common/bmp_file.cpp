#include "common/bmp_file.h"

#include <cstring>

namespace karvex::tools {

std::vector<std::uint8_t> BmpFileFromBlocks(const void* infoHeader, const void* pixels, std::size_t pixelBytes) {
  constexpr std::size_t kFileHeaderSize = 14;
  constexpr std::size_t kInfoHeaderSize = 40;
  constexpr std::uint32_t kOffBits = kFileHeaderSize + kInfoHeaderSize;
  std::vector<std::uint8_t> file(kOffBits + pixelBytes);
  const auto fileSize = static_cast<std::uint32_t>(file.size());
  file[0] = 'B';
  file[1] = 'M';
  for (int i = 0; i < 4; ++i) {
    file[2 + i] = static_cast<std::uint8_t>(fileSize >> (8 * i));
    file[10 + i] = static_cast<std::uint8_t>(kOffBits >> (8 * i));
  }
  std::memcpy(file.data() + kFileHeaderSize, infoHeader, kInfoHeaderSize);
  if (pixelBytes > 0) std::memcpy(file.data() + kOffBits, pixels, pixelBytes);
  return file;
}

}  // namespace karvex::tools
