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

// A BMP file of 24-bit rows: the two headers, no colour table, the rows.
constexpr std::uint32_t kBmpHeadersSize = sizeof(BitmapFileHeader) + sizeof(BitmapInfoHeader);

// The file header of such a file with rowBytes of rows: "BM", the file's
// size, and the rows' offset.
constexpr BitmapFileHeader BmpFileHeaderFor(std::uint32_t rowBytes) {
  return {0x4D42, kBmpHeadersSize + rowBytes, 0, 0, kBmpHeadersSize};
}

}  // namespace karvex
