#pragma once
#include <cstdint>
#include <cstdio>

namespace karvex::tools {

// Writes bottom-up 24-bit BGR rows (BMP layout) as an 8-bit RGB PNG.
// False when libpng or the file reports an error.
bool WritePng(std::FILE* file, std::int32_t width, std::int32_t height, const std::uint8_t* bottomUpRows,
              std::size_t stride);

}  // namespace karvex::tools
