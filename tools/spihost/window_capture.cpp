#include "spihost/window_capture.h"

#include "common/bmp_file.h"

namespace karvex::tools {

std::vector<std::uint8_t> CaptureWindowBmp(HWND window) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return {};
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return {};

  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as a .bmp file keeps its rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  header.biSizeImage = static_cast<DWORD>(stride * static_cast<std::size_t>(height));

  // Copied from the screen, where the window's frame and every child
  // control are drawn; the window is at the top when it is captured.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  std::vector<std::uint8_t> file;
  if (bitmap != nullptr && bits != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY)) {
      GdiFlush();
      file = BmpFileFromBlocks(&header, bits, header.biSizeImage);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return file;
}

}  // namespace karvex::tools
