#pragma once
// The off-screen picture a request draws on, and the factory that makes the
// one of the build's backend (GDI in the DLL, raster natively).
#include <cstdint>
#include <memory>

#include "render/canvas.h"

namespace karvex {

// Bytes per bottom-up 24-bit row, padded to four bytes.
constexpr std::int64_t RowStride(std::int64_t width) { return ((24 * width + 31) / 32) * 4; }

class DrawSurface {
 public:
  virtual ~DrawSurface() = default;
  virtual Canvas& GetCanvas() = 0;
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  // The picture as bottom-up rows of blue, green, red bytes, each row
  // RowStride(Width()) bytes long. Valid until the surface is drawn on again.
  virtual const std::uint8_t* BottomUpRows() = 0;
};

class SurfaceFactory {
 public:
  virtual ~SurfaceFactory() = default;
  // A white surface of this size; width and height are at least 1.
  virtual std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) = 0;
};

}  // namespace karvex
