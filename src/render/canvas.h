#pragma once
// The small set of drawing operations the drawers use. The drawers never
// touch a platform API; the backends (raster, GDI, recording) implement this.
#include <cstdint>
#include <span>
#include <string_view>

#include "dxf/text_encoding.h"

namespace karvex {

// 0x00BBGGRR, the platform's colour-reference layout: red in the low byte.
// A pen or pixel colour may carry a high byte, which the canvas reads as the
// platform does (ResolveColorReference).
using Color = std::uint32_t;

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

// A corner of a filled polygon, in pixels.
struct PolygonPoint {
  std::int32_t x;
  std::int32_t y;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Pen of width 1 in this colour reference for all later lines, ellipses
  // and arcs.
  virtual void SetPenColor(Color color) = 0;
  // The pen's dash pattern from now on, in pixels along the figure: a
  // positive length is drawn, a negative one left out, 0 is a dot. Empty:
  // solid, as a canvas starts. A pattern starts afresh at each move, at the
  // rightmost point of an ellipse and at the start of an arc, and runs on
  // from one line to the next.
  virtual void SetPenDashes(std::span<const float> pattern) = 0;
  // The colour of later texts; black until set.
  virtual void SetTextColor(Color color) = 0;
  // The whole picture in this colour.
  virtual void Clear(Color color) = 0;
  // Closed figures are outlined only, never filled.
  virtual void SetHollowBrush() = 0;

  virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
  // A line from the current position to (x, y); the end pixel is not set and
  // (x, y) becomes the current position.
  virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
  // The outline of the ellipse in the box; right and bottom edges are
  // exclusive, and the corners may come in any order.
  virtual void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) = 0;
  // Part of that outline, counter-clockwise as the picture is viewed, from
  // the ray through the start point to the ray through the end point.
  virtual void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                   std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) = 0;
  virtual void SetPixel(std::int32_t x, std::int32_t y, Color color) = 0;
  // The inside of the rings filled in the pen's colour, and their outlines
  // drawn with the pen, as the platform's polygon draws them. ringSizes[i]
  // points make ring i, which closes back to its first point. Inside is
  // even-odd: where rings lie within rings every second one is a hole,
  // whichever way each runs (a filled area's islands come in either
  // direction). A pixel is filled when its centre lies inside, a centre on
  // a left or top edge counting as inside.
  virtual void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) = 0;

  // One string in the gothic face, in the text colour, transparent
  // background. (x, y) is
  // the top-left corner of the character cell; height in pixels as the
  // platform reads a font height (positive: cell height, negative: character
  // height, 0: default); escapement in tenths of a degree, counter-clockwise.
  // The text bytes are in code page 932 (or as UseTextEncoding said). May
  // raise a failure.
  virtual void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
                    std::int32_t escapement) = 0;
  // Later texts are in this encoding, drawn through the platform's
  // wide-character output. A canvas whose texts are decoded elsewhere (the
  // converter chooses its own) leaves this alone.
  virtual void UseTextEncoding(const TextEncoding& encoding) { (void)encoding; }
};

}  // namespace karvex
