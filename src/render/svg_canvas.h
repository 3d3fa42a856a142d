#pragma once
// The drawing calls written out as an SVG 1.1 document while they come, so
// that nothing of the drawing is held: the figures the raster picture has,
// in the same pixels.
//
// The viewBox is the picture in pixels; inside it the drawing is moved by
// half a pixel, so that whole coordinates are pixel centres, as the raster
// draws them: a line runs from the centre of its first pixel to the centre
// of its end pixel, and an ellipse's outline through the centres of the
// outermost pixels of its box. Lines drawn one after another with one pen
// become one path. Arcs are elliptical arcs, counter-clockwise as viewed,
// between the rays the raster's arc starts and stops at; points are squares
// of one pixel; texts are <text> elements in the picture's face, at the
// size, base line, turn and length the raster gives them. A dashed pen
// gives its figures a stroke-dasharray of the same lengths, a cleared
// picture a rectangle of its colour over everything before.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "render/canvas.h"
#include "render/text_decoder.h"
#include "render/text_layout.h"

namespace karvex {

class SvgCanvas final : public Canvas {
 public:
  // Starts the document: the root element of width x height pixels and the
  // background rectangle. decoder turns text bytes into characters; without
  // a layout (no font) texts are left out, as on the raster picture. None
  // is owned; all outlive the canvas.
  SvgCanvas(std::FILE* out, std::int32_t width, std::int32_t height, Color background, TextDecoder& decoder,
            TextLayout* layout);
  SvgCanvas(const SvgCanvas&) = delete;
  SvgCanvas& operator=(const SvgCanvas&) = delete;

  // Ends the document and hands the rest of it to the file. False when a
  // write failed on the way.
  bool Finish();

  void SetPenColor(Color color) override;
  void SetPenDashes(std::span<const float> pattern) override;
  void SetTextColor(Color color) override;
  void Clear(Color color) override;
  void SetHollowBrush() override {}
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  // One path of all rings, filled even-odd and stroked in the pen.
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) override;
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override;

 private:
  void ClosePath();
  void WriteEllipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);
  // The pixels of a box, filled.
  void WritePixels(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height, Color color);
  void FlushIfFull();
  // The stroke of a figure: its colour, and its dashes when it has any.
  void WriteStroke(Color color);

  std::FILE* out_;
  TextDecoder& decoder_;
  TextLayout* layout_;
  std::string buffer_;
  std::u32string characters_;
  bool failed_ = false;

  std::int32_t width_;
  std::int32_t height_;
  Color penColor_ = kBlack;   // resolved
  Color textColor_ = kBlack;  // resolved
  // The pen's stroke-dasharray value; empty for a solid pen.
  std::string dashes_;
  std::int32_t currentX_ = 0;
  std::int32_t currentY_ = 0;
  // The open path: its colour, its segments, and where its last one ended.
  bool pathOpen_ = false;
  Color pathColor_ = kBlack;
  std::string pathDashes_;
  std::int32_t pathSegments_ = 0;
  std::int32_t pathEndX_ = 0;
  std::int32_t pathEndY_ = 0;
};

}  // namespace karvex
