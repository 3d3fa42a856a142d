#pragma once
// A picture of a window as it stands on the screen, frame included.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace karvex::tools {

// The window as a 24-bit .bmp file; empty when it cannot be had.
std::vector<std::uint8_t> CaptureWindowBmp(HWND window);

}  // namespace karvex::tools
