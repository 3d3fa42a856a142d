#include "render/canvas_sink.h"

#include <cmath>

#include "render/ray_clip.h"

namespace karvex {
namespace {

// A pattern whose period is shorter than this many pixels is drawn solid,
// as CAD programs do: its dashes would only speckle the line.
constexpr long double kShortestDashPeriod = 2.0L;

}  // namespace

void CanvasSink::BeginSection() {
  mapping_ = framing_.MappingFor(extents_);
  chordRule_ = framing_.AlignmentMode() == Alignment::Fit
                   ? ChordRule::Fitted(framing_.OutputWidth(), framing_.OutputHeight())
                   : ChordRule::AtScale(mapping_.Scale());
  canvas_.SetPenColor(kBlack);
  canvas_.SetHollowBrush();
  penColour_ = kBlack;
}

void CanvasSink::SetPen(const Pen& pen) {
  visible_ = pen.visible;
  if (pen.setsColour) UseColour(pen.colour);
  if (pen.setsDashes) UseDashes(pen);
}

void CanvasSink::SetPenColor(Color color) {
  canvas_.SetPenColor(color);
  penColour_ = color;
}

void CanvasSink::UseColour(Color colour) {
  pointColour_ = colour;
  if (colour != penColour_) SetPenColor(colour);
  if (colour != textColour_) {
    canvas_.SetTextColor(colour);
    textColour_ = colour;
  }
}

void CanvasSink::UseDashes(const Pen& pen) {
  const long double factor = pen.dashScale * mapping_.Scale();
  if (pen.dashes.data() == dashSource_ && pen.dashes.size() == dashCount_ && factor == dashFactor_) return;
  dashSource_ = pen.dashes.data();
  dashCount_ = pen.dashes.size();
  dashFactor_ = factor;
  long double period = 0;
  for (float length : pen.dashes) period += std::fabs(length * factor);
  dashPixels_.clear();
  if (period >= kShortestDashPeriod) {
    for (float length : pen.dashes) dashPixels_.push_back(static_cast<float>(length * factor));
  }
  canvas_.SetPenDashes(dashPixels_);
}

void CanvasSink::Ray(const DrawingPoint& start, const DrawingPoint& direction, bool bothWays) {
  if (!visible_) return;
  const std::optional<ClippedLine> line =
      ClipToPicture(mapping_, framing_.OutputWidth(), framing_.OutputHeight(), start, direction, bothWays);
  if (!line) return;
  const PixelPoint from = mapping_.Map(line->from);
  const PixelPoint to = mapping_.Map(line->to);
  canvas_.MoveTo(from.x, from.y);
  canvas_.LineTo(to.x, to.y);
}

void CanvasSink::Text(const DrawingPoint& corner, float height, std::int32_t angle, std::string_view text) {
  if (!visible_) return;
  const PixelPoint pixel = mapping_.Map(corner);
  const std::int32_t pixels = mapping_.MapLength(height);
  try {
    canvas_.Text(pixel.x, pixel.y, text, pixels, angle);
  } catch (...) {
    // A text that cannot be drawn costs only itself.
  }
}

void CanvasSink::Fill(std::span<const DrawingPoint> points, std::span<const std::int32_t> ringSizes) {
  if (!visible_) return;
  fillPixels_.clear();
  for (const DrawingPoint& point : points) {
    const PixelPoint pixel = mapping_.Map(point);
    fillPixels_.push_back({pixel.x, pixel.y});
  }
  canvas_.FillPolygon(fillPixels_, ringSizes);
}

}  // namespace karvex
