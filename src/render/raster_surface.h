#pragma once
// The native drawing surface: a 24-bit bottom-up pixel buffer and our own
// rasterizer with the platform's conventions.
#include <cstdint>
#include <memory>
#include <vector>

#include "render/canvas.h"
#include "render/color_reference.h"
#include "render/draw_surface.h"
#include "render/pixel_grid.h"

namespace karvex {

// Draws text for the raster canvas (FreeType natively). Optional: without
// one, texts draw nothing.
class TextRasterizer {
 public:
  virtual ~TextRasterizer() = default;
  // Sets the pixels of the text's glyphs on the picture (bottom-up rows).
  virtual void DrawText(std::uint8_t* bottomUpRows, std::int32_t width, std::int32_t height, std::int32_t x,
                        std::int32_t y, std::string_view text, std::int32_t fontHeight, std::int32_t escapement) = 0;
};

class RasterCanvas final : public Canvas {
 public:
  RasterCanvas(std::int32_t width, std::int32_t height, TextRasterizer* text);

  void SetPenColor(Color color) override { penColor_ = ResolveColorReference(color); }
  void SetHollowBrush() override {}
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  const std::uint8_t* Rows() const { return pixels_.data(); }
  std::uint8_t* Rows() { return pixels_.data(); }
  Color PixelAt(std::int32_t x, std::int32_t y) const;

 private:
  PixelGrid Grid(Color color);

  std::int32_t width_;
  std::int32_t height_;
  std::size_t stride_;
  std::vector<std::uint8_t> pixels_;
  Color penColor_ = kBlack;  // as drawn: resolved
  std::int32_t currentX_ = 0;
  std::int32_t currentY_ = 0;
  TextRasterizer* text_;
};

class RasterSurface final : public DrawSurface {
 public:
  RasterSurface(std::int32_t width, std::int32_t height, TextRasterizer* text) : canvas_(width, height, text) {}
  Canvas& GetCanvas() override { return canvas_; }
  std::int32_t Width() const override { return canvas_.Width(); }
  std::int32_t Height() const override { return canvas_.Height(); }
  const std::uint8_t* BottomUpRows() override { return canvas_.Rows(); }
  RasterCanvas& Raster() { return canvas_; }

 private:
  RasterCanvas canvas_;
};

class RasterSurfaceFactory final : public SurfaceFactory {
 public:
  explicit RasterSurfaceFactory(TextRasterizer* text = nullptr) : text_(text) {}
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) override {
    return std::make_unique<RasterSurface>(width, height, text_);
  }

 private:
  TextRasterizer* text_;
};

}  // namespace karvex
