#pragma once
// The native drawing surface: a 24-bit bottom-up pixel buffer and our own
// rasterizer with the platform's conventions.
#include <cstdint>
#include <memory>
#include <vector>

#include "render/canvas.h"
#include "render/draw_surface.h"
#include "render/pen_raster.h"

namespace karvex {

// Draws text for the raster canvas (FreeType natively). Optional: without
// one, texts draw nothing.
class TextRasterizer {
 public:
  virtual ~TextRasterizer() = default;
  // Sets the pixels of the text's glyphs on the picture (bottom-up rows) to
  // ink.
  virtual void DrawText(std::uint8_t* bottomUpRows, std::int32_t width, std::int32_t height, std::int32_t x,
                        std::int32_t y, std::string_view text, std::int32_t fontHeight, std::int32_t escapement,
                        Color ink = kBlack) = 0;
};

class RasterCanvas final : public Canvas {
 public:
  RasterCanvas(std::int32_t width, std::int32_t height, TextRasterizer* text);

  void SetPenColor(Color color) override { pen_.SetColor(color); }
  void SetPenDashes(std::span<const float> pattern) override { pen_.SetDashes(pattern); }
  void SetTextColor(Color color) override { textColor_ = color; }
  void Clear(Color color) override { pen_.Fill(color); }
  void SetHollowBrush() override {}
  void MoveTo(std::int32_t x, std::int32_t y) override { pen_.MoveTo(x, y); }
  void LineTo(std::int32_t x, std::int32_t y) override { pen_.LineTo(x, y); }
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override {
    pen_.Ellipse(left, top, right, bottom);
  }
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override {
    pen_.Arc(left, top, right, bottom, startX, startY, endX, endY);
  }
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override { pen_.SetPixel(x, y, color); }
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) override {
    pen_.FillPolygon(points, ringSizes);
  }
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  const std::uint8_t* Rows() const { return pixels_.data(); }
  std::uint8_t* Rows() { return pixels_.data(); }
  Color PixelAt(std::int32_t x, std::int32_t y) const;

 private:
  std::int32_t width_;
  std::int32_t height_;
  std::size_t stride_;
  std::vector<std::uint8_t> pixels_;
  PenRaster pen_;
  Color textColor_ = kBlack;
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
