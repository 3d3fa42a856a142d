#pragma once
// A .bmp file made from the two blocks a plug-in hands its host: the file
// header, the 40-byte info header of the header block, and the pixel rows.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace karvex::tools {

std::vector<std::uint8_t> BmpFileFromBlocks(const void* infoHeader, const void* pixels, std::size_t pixelBytes);

}  // namespace karvex::tools
