#pragma once
// The DLL's drawing surface: a 24-bit bottom-up DIB section selected into a
// memory device context. Texts are drawn with GDI; lines, ellipses, arcs and
// pixels by our own rasterizer straight into the DIB's pixels, which sets the
// pixels GDI sets (the Wine tests hold the two together) at a fraction of
// the cost of a GDI call per figure, and without GDI's trouble with huge
// coordinates (Wine's GDI overflows on long lines and brings the whole
// process down on ellipses a few million pixels wide).
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "render/canvas.h"
#include "render/draw_surface.h"
#include "render/pen_raster.h"
#include "render/text_decoder.h"

namespace karvex {

// The pixels of the DIB section selected into the canvas's DC.
struct DibPixels {
  std::uint8_t* bottomUpRows;
  std::int32_t width;
  std::int32_t height;
};

// Who draws lines, ellipses, arcs and pixels: our rasterizer (the plug-in),
// or GDI itself (the tests that hold the rasterizer to GDI).
enum class GdiGeometry { OwnRasterizer, Gdi };

class GdiCanvas final : public Canvas {
 public:
  // Draws on dc, which must outlive the canvas; pixels are the DC's DIB.
  GdiCanvas(HDC dc, const DibPixels& pixels, GdiGeometry geometry);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void SetPenColor(Color color) override;
  // Dashes are our rasterizer's: GDI itself draws every pen solid.
  void SetPenDashes(std::span<const float> pattern) override { pen_.SetDashes(pattern); }
  void SetTextColor(Color color) override { textColor_ = color; }
  void Clear(Color color) override;
  void SetHollowBrush() override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) override;
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override;
  // A drawing that says how its texts are written is drawn through the
  // wide-character output; one that says nothing as always, in the
  // system's code page.
  void UseTextEncoding(const TextEncoding& encoding) override;

 private:
  HFONT SelectTextFont(HFONT created);

  bool ByGdi() const { return geometry_ == GdiGeometry::Gdi; }

  HDC dc_;
  GdiGeometry geometry_;
  PenRaster pen_;
  Color textColor_ = kBlack;
  Color penColor_ = kBlack;  // as given
  HPEN gdiPen_ = nullptr;
  HFONT font_ = nullptr;
  HGDIOBJ originalPen_ = nullptr;
  HGDIOBJ originalBrush_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  // The texts' decoding when the drawing said it; null: the narrow output.
  std::unique_ptr<TextDecoder> wideBytes_;
  std::unique_ptr<TextDecoder> wideEscapes_;
  TextDecoder* wide_ = nullptr;
  std::u32string characters_;
  std::wstring units_;
};

class GdiSurface final : public DrawSurface {
 public:
  // A white surface; raises ResourceFailure when GDI cannot make it.
  GdiSurface(std::int32_t width, std::int32_t height, GdiGeometry geometry = GdiGeometry::OwnRasterizer);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  Canvas& GetCanvas() override { return *canvas_; }
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  const std::uint8_t* BottomUpRows() override;

 private:
  std::int32_t width_;
  std::int32_t height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ originalBitmap_ = nullptr;
  void* bits_ = nullptr;
  std::unique_ptr<GdiCanvas> canvas_;
};

class GdiSurfaceFactory final : public SurfaceFactory {
 public:
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) override {
    return std::make_unique<GdiSurface>(width, height);
  }
};

}  // namespace karvex
