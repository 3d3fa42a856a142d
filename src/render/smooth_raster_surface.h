#pragma once
// The smooth raster picture (--smooth): the raster surface's pixels, points
// and texts, with lines, ellipse outlines and arcs drawn smooth at the same
// places. Texts come smooth when its text rasterizer draws them so. A
// dashed pen draws as the raster surface draws it.
#include <cstdint>
#include <memory>
#include <span>

#include "render/canvas.h"
#include "render/draw_surface.h"
#include "render/pixel_grid.h"
#include "render/raster_surface.h"

namespace karvex {

class SmoothRasterCanvas final : public Canvas {
 public:
  SmoothRasterCanvas(std::int32_t width, std::int32_t height, TextRasterizer* text) : pixels_(width, height, text) {}

  void SetPenColor(Color color) override;
  void SetPenDashes(std::span<const float> pattern) override;
  void SetTextColor(Color color) override { pixels_.SetTextColor(color); }
  void Clear(Color color) override { pixels_.Clear(color); }
  void SetHollowBrush() override { pixels_.SetHollowBrush(); }
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override { pixels_.SetPixel(x, y, color); }
  // The inside as the raster picture fills it; the outlines smooth.
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) override;
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override {
    pixels_.Text(x, y, text, height, escapement);
  }

  RasterCanvas& Pixels() { return pixels_; }
  const RasterCanvas& Pixels() const { return pixels_; }

 private:
  PixelGrid Grid();

  RasterCanvas pixels_;
  Color penColor_ = kBlack;  // as drawn: resolved
  // A dashed pen draws through the hard-edged canvas: its dashes are whole
  // pixels, and blending their ends would only blur them.
  bool dashed_ = false;
  std::int32_t currentX_ = 0;
  std::int32_t currentY_ = 0;
};

class SmoothRasterSurface final : public DrawSurface {
 public:
  SmoothRasterSurface(std::int32_t width, std::int32_t height, TextRasterizer* text) : canvas_(width, height, text) {}
  Canvas& GetCanvas() override { return canvas_; }
  std::int32_t Width() const override { return canvas_.Pixels().Width(); }
  std::int32_t Height() const override { return canvas_.Pixels().Height(); }
  const std::uint8_t* BottomUpRows() override { return canvas_.Pixels().Rows(); }

 private:
  SmoothRasterCanvas canvas_;
};

class SmoothRasterSurfaceFactory final : public SurfaceFactory {
 public:
  explicit SmoothRasterSurfaceFactory(TextRasterizer* text = nullptr) : text_(text) {}
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) override {
    return std::make_unique<SmoothRasterSurface>(width, height, text_);
  }

 private:
  TextRasterizer* text_;
};

}  // namespace karvex
