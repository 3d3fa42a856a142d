#pragma once
// A .bmp file made from the two blocks a plug-in hands its host: the file
// header, the 40-byte info header of the header block, and the pixel rows.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "plugin/bitmap_headers.h"

namespace karvex::tools {

// The file header and info header that go before pixelBytes of rows.
std::array<std::uint8_t, kBmpHeadersSize> BmpFileHeaders(const void* infoHeader, std::size_t pixelBytes);

// The whole file: the headers, then the rows.
std::vector<std::uint8_t> BmpFileFromBlocks(const void* infoHeader, const void* pixels, std::size_t pixelBytes);

}  // namespace karvex::tools
