#include "render/kinds/aligned_text_kind.h"

#include <cmath>

namespace karvex {

PlacedLine PlaceAlignedText(const AlignedTextRecord& text, const TextEncoding& encoding, float& rotation) {
  double degrees = std::fmod(static_cast<double>(text.rotation), 360.0);
  if (degrees < 0) degrees += 360.0;
  rotation = static_cast<float>(degrees);
  const int horizontal = text.horizontal == 1 || text.horizontal == 2 || text.horizontal == 4 ? text.horizontal : 0;
  const int vertical = horizontal == 4 ? 2 : text.vertical >= 1 && text.vertical <= 3 ? text.vertical : 0;
  if ((horizontal == 0 && vertical == 0) || !text.alignX || !text.alignY) return {text.x, text.y, text.text};

  const double size = std::fabs(static_cast<double>(text.height));
  const double width = encoding.WidthInHeights(text.text) * size;
  const double u = horizontal == 0 ? 0 : horizontal == 2 ? -width : -width / 2;
  // Baseline and bottom keep the cell's bottom on the point, as an
  // unaligned TEXT does; middle puts its middle, top its top there.
  const double v = vertical == 2 ? -size / 2 : vertical == 3 ? -size : 0;
  const double radians = degrees * (3.14159265358979323846 / 180.0);
  const double alongX = std::cos(radians), alongY = std::sin(radians);
  return {static_cast<float>(*text.alignX + u * alongX - v * alongY),
          static_cast<float>(*text.alignY + u * alongY + v * alongX), text.text};
}

}  // namespace karvex
