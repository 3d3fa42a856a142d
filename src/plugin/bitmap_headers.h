#pragma once
// The Windows bitmap structures, laid out byte for byte as on disk.
#include <cstdint>

namespace karvex {

#pragma pack(push, 1)
struct BitmapFileHeader {
  std::uint16_t bfType;  // "BM"
  std::uint32_t bfSize;
  std::uint16_t bfReserved1;
  std::uint16_t bfReserved2;
  std::uint32_t bfOffBits;
};
#pragma pack(pop)

// Every field lies on its natural alignment: no packing needed.
struct BitmapInfoHeader {
  std::uint32_t biSize;
  std::int32_t biWidth;
  std::int32_t biHeight;
  std::uint16_t biPlanes;
  std::uint16_t biBitCount;
  std::uint32_t biCompression;
  std::uint32_t biSizeImage;
  std::int32_t biXPelsPerMeter;
  std::int32_t biYPelsPerMeter;
  std::uint32_t biClrUsed;
  std::uint32_t biClrImportant;
};

static_assert(sizeof(BitmapFileHeader) == 14);
static_assert(sizeof(BitmapInfoHeader) == 40);

// The header block handed to the host: the info header and room for 256
// colour entries, which stay zero.
constexpr std::uint32_t kHeaderBlockSize = 1064;

}  // namespace karvex
