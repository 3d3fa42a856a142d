#pragma once
// Figures drawn: each position mapped to pixels by the framing's mapping
// for its ENTITIES section, each figure drawn on the canvas with the pen its
// entity resolved to.
#include <cstdint>
#include <vector>

#include "render/canvas.h"
#include "render/curves/chord_rule.h"
#include "render/figure_sink.h"
#include "render/framing.h"
#include "render/mapping.h"

namespace karvex {

class CanvasSink final : public FigureSink {
 public:
  // extents: the HEADER's rectangle, read when each ENTITIES section begins.
  // All three must outlive the sink.
  CanvasSink(Canvas& canvas, const Framing& framing, const DrawingExtents& extents)
      : canvas_(canvas), framing_(framing), extents_(extents), mapping_(framing.MappingFor(extents)) {}

  // The mapping of the latest ENTITIES section.
  const Mapping& CurrentMapping() const { return mapping_; }

  // Takes up the section's mapping; solid black pen, hollow brush.
  void BeginSection() override;
  void SetPen(const Pen& pen) override;
  void SetPenColor(Color color) override;
  // The figures are inline: the walk of a drawing calls them directly.
  void Outline(std::span<const DrawingPoint> points, bool closed) override {
    if (!visible_ || points.empty()) return;
    PixelPoint pixels[4];
    const std::size_t count = points.size() < 4 ? points.size() : 4;
    for (std::size_t i = 0; i < count; ++i) pixels[i] = mapping_.Map(points[i]);
    canvas_.MoveTo(pixels[0].x, pixels[0].y);
    for (std::size_t i = 1; i < count; ++i) canvas_.LineTo(pixels[i].x, pixels[i].y);
    if (closed) canvas_.LineTo(pixels[0].x, pixels[0].y);
  }
  void MoveTo(const DrawingPoint& point) override {
    if (!visible_) return;
    const PixelPoint pixel = mapping_.Map(point);
    canvas_.MoveTo(pixel.x, pixel.y);
  }
  void LineTo(const DrawingPoint& point) override {
    if (!visible_) return;
    const PixelPoint pixel = mapping_.Map(point);
    canvas_.LineTo(pixel.x, pixel.y);
  }
  void Circle(const DrawingPoint& centre, float radius) override {
    if (!visible_) return;
    const PixelBox box = mapping_.CircleBox(centre, radius);
    canvas_.Ellipse(box.left, box.top, box.right, box.bottom);
  }
  void Arc(const DrawingPoint& centre, float radius, const OffsetPoint& start, const OffsetPoint& end) override {
    if (!visible_) return;
    const PixelBox box = mapping_.CircleBox(centre, radius);
    const PixelPoint from = mapping_.Map(start);
    const PixelPoint to = mapping_.Map(end);
    canvas_.Arc(box.left, box.top, box.right, box.bottom, from.x, from.y, to.x, to.y);
  }
  void Point(const DrawingPoint& point) override {
    if (!visible_) return;
    const PixelPoint pixel = mapping_.Map(point);
    canvas_.SetPixel(pixel.x, pixel.y, pointColour_);
  }
  void Text(const DrawingPoint& corner, float height, std::int32_t angle, std::string_view text) override;
  void UseTextEncoding(const TextEncoding& encoding) override { canvas_.UseTextEncoding(encoding); }
  void Fill(std::span<const DrawingPoint> points, std::span<const std::int32_t> ringSizes) override;
  void Ray(const DrawingPoint& start, const DrawingPoint& direction, bool bothWays) override;
  long double ChordTolerance(long double extent) const override { return chordRule_.Tolerance(extent); }

 private:
  void UseColour(Color colour);
  void UseDashes(const Pen& pen);

  Canvas& canvas_;
  const Framing& framing_;
  const DrawingExtents& extents_;
  Mapping mapping_;
  ChordRule chordRule_ = ChordRule::AtScale(mapping_.Scale());
  bool visible_ = true;
  // What the canvas was last given, so that a pen is only set when it
  // changes.
  Color penColour_ = kBlack;
  Color textColour_ = kBlack;
  Color pointColour_ = kBlack;
  std::vector<float> dashPixels_;
  std::vector<PolygonPoint> fillPixels_;
  // The drawing-unit pattern dashPixels_ was made from, and its factor.
  const float* dashSource_ = nullptr;
  std::size_t dashCount_ = 0;
  long double dashFactor_ = 0;
};

}  // namespace karvex
