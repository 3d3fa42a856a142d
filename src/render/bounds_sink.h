#pragma once
// Figures measured: the box in drawing units that covers everything drawn.
// Lines by their end points, circles and arcs by their true extent, points
// as they are, texts by the box of their character cells.
#include <cstdint>

#include "render/curves/chord_rule.h"
#include "render/drawing_box.h"
#include "render/figure_sink.h"

namespace karvex {

class BoundsSink final : public FigureSink {
 public:
  // The measuring walk frames a picture of this size by what it draws.
  BoundsSink(std::int32_t outputWidth, std::int32_t outputHeight)
      : chordRule_(ChordRule::Fitted(outputWidth, outputHeight)) {}

  const DrawingBox& Box() const { return box_; }

  void BeginSection() override {}
  void SetPen(const Pen& pen) override { visible_ = pen.visible; }
  void SetPenColor(Color) override {}
  // Inline: the measuring walk calls them directly.
  void Outline(std::span<const DrawingPoint> points, bool) override {
    if (!visible_) return;
    for (const DrawingPoint& point : points) Include(point);
  }
  void MoveTo(const DrawingPoint& point) override { current_ = point; }
  void LineTo(const DrawingPoint& point) override {
    if (visible_) {
      Include(current_);
      Include(point);
    }
    current_ = point;
  }
  void Circle(const DrawingPoint& centre, float radius) override;
  void Arc(const DrawingPoint& centre, float radius, const OffsetPoint& start, const OffsetPoint& end) override;
  void Point(const DrawingPoint& point) override;
  void Text(const DrawingPoint& corner, float height, std::int32_t angle, std::string_view text) override;
  void Fill(std::span<const DrawingPoint> points, std::span<const std::int32_t>) override {
    if (!visible_) return;
    for (const DrawingPoint& point : points) Include(point);
  }
  // Lines without end do not count: the box of everything drawn would be
  // endless. The picture framed by the rest shows what of them falls on it.
  void Ray(const DrawingPoint&, const DrawingPoint&, bool) override {}
  long double ChordTolerance(long double extent) const override { return chordRule_.Tolerance(extent); }

 private:
  void Include(const DrawingPoint& point) { box_.Include(point.x, point.y); }

  ChordRule chordRule_;
  DrawingBox box_;
  DrawingPoint current_{0, 0};
  bool visible_ = true;
};

// How wide a text is in units of its height: the face's half-width
// characters are half as wide as they are high, its full-width ones (a
// code page 932 lead byte and the byte after it) as wide as high.
long double TextWidthInHeights(std::string_view text);

}  // namespace karvex
