#include "render/color_reference.h"
#include "render/dash_pattern.h"
#include "render/polygon_fill.h"
#include "render/smooth_raster.h"
#include "render/smooth_raster_surface.h"

namespace karvex {

PixelGrid SmoothRasterCanvas::Grid() {
  return PixelGrid(pixels_.Rows(), pixels_.Width(), pixels_.Height(),
                      static_cast<std::size_t>(RowStride(pixels_.Width())), penColor_);
}

void SmoothRasterCanvas::SetPenColor(Color color) {
  pixels_.SetPenColor(color);
  penColor_ = ResolveColorReference(color);
}

void SmoothRasterCanvas::SetPenDashes(std::span<const float> pattern) {
  pixels_.SetPenDashes(pattern);
  DashPattern dashes;
  dashes.Set(pattern);
  dashed_ = !dashes.Solid();
}

void SmoothRasterCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  pixels_.MoveTo(x, y);
  currentX_ = x;
  currentY_ = y;
}

void SmoothRasterCanvas::LineTo(std::int32_t x, std::int32_t y) {
  if (dashed_) {
    // The pattern runs on from the line before: the current position moves
    // without starting it afresh.
    pixels_.LineTo(x, y);
  } else {
    DrawSmoothLine(Grid(), currentX_, currentY_, x, y);
    pixels_.MoveTo(x, y);
  }
  currentX_ = x;
  currentY_ = y;
}

void SmoothRasterCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  if (dashed_) return pixels_.Ellipse(left, top, right, bottom);
  DrawSmoothEllipseOutline(Grid(), left, top, right, bottom);
}

void SmoothRasterCanvas::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                             std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) {
  if (dashed_) return pixels_.Arc(left, top, right, bottom, startX, startY, endX, endY);
  DrawSmoothEllipseArc(Grid(), left, top, right, bottom, startX, startY, endX, endY);
}

void SmoothRasterCanvas::FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) {
  if (RingPoints(points, ringSizes) < 0) return;
  FillEvenOdd(Grid(), pixels_.Width(), pixels_.Height(), points, ringSizes);
  OutlineRings(*this, points, ringSizes);
}

}  // namespace karvex
