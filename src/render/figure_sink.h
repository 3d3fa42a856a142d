#pragma once
// Where the entity drawers send what they draw: figures in drawing units,
// placed but not yet mapped. Drawing maps them onto a canvas; measuring
// takes the box they cover. The drawers cannot tell the two apart, which
// is what keeps the picture framed by a measurement exactly as measured.
#include <cstdint>
#include <span>
#include <string_view>

#include "dxf/text_encoding.h"
#include "render/canvas.h"
#include "render/drawing_point.h"
#include "render/pen.h"

namespace karvex {

class FigureSink {
 public:
  // An ENTITIES section begins: solid black pen, hollow brush.
  virtual void BeginSection() = 0;
  // The pen of the entity whose figures follow (styled drawings only).
  virtual void SetPen(const Pen& pen) = 0;
  // The colour of all later lines, circles and arcs: a SOLID's colour
  // number read as the colour itself.
  virtual void SetPenColor(Color color) = 0;

  // Lines through the points (at most four) in order, and back to the
  // first when closed. Every point is mapped before the first line is drawn.
  virtual void Outline(std::span<const DrawingPoint> points, bool closed) = 0;
  // A polyline drawn as its vertices are read: each vertex is mapped and
  // drawn before the next is read.
  virtual void MoveTo(const DrawingPoint& point) = 0;
  // A line from the current position; the end point becomes current.
  virtual void LineTo(const DrawingPoint& point) = 0;
  virtual void Circle(const DrawingPoint& centre, float radius) = 0;
  // The part of the circle counter-clockwise from the ray through start to
  // the ray through end.
  virtual void Arc(const DrawingPoint& centre, float radius, const OffsetPoint& start, const OffsetPoint& end) = 0;
  virtual void Point(const DrawingPoint& point) = 0;
  // The inside of the rings filled in the pen's colour and their outlines
  // drawn (Canvas::FillPolygon): ringSizes[i] points make ring i.
  virtual void Fill(std::span<const DrawingPoint> points, std::span<const std::int32_t> ringSizes) = 0;
  // A text with its cell's top-left corner at corner, height drawing units
  // high, turned by angle tenths of a degree (already clamped). A failure to
  // draw it costs only this text.
  virtual void Text(const DrawingPoint& corner, float height, std::int32_t angle, std::string_view text) = 0;
  // The texts that follow are read in this encoding (all kinds only);
  // until then as they always were.
  virtual void UseTextEncoding(const TextEncoding& encoding) { (void)encoding; }

  // A line without end from start along direction, and back the other way
  // when bothWays: what of it shows on the picture.
  virtual void Ray(const DrawingPoint& start, const DrawingPoint& direction, bool bothWays) = 0;

  // The most a chord of a curve may stray from it, in drawing units, for a
  // curve whose sure points (those every cutting passes through) span
  // extent drawing units (see ChordRule).
  virtual long double ChordTolerance(long double extent) const = 0;

 protected:
  ~FigureSink() = default;
};

}  // namespace karvex
