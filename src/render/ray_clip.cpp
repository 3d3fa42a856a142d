#include "render/ray_clip.h"

#include <cmath>
#include <utility>

namespace karvex {

// Liang and Barsky's cut: the line is start + t · direction, and each side
// of the box narrows the range of t.
std::optional<ClippedLine> ClipToPicture(const Mapping& mapping, std::int32_t outputWidth, std::int32_t outputHeight,
                                         const DrawingPoint& start, const DrawingPoint& direction, bool bothWays) {
  const long double scale = mapping.Scale();
  if (!(scale > 0) || !std::isfinite(scale)) return std::nullopt;
  if (!std::isfinite(start.x) || !std::isfinite(start.y) || !std::isfinite(direction.x) ||
      !std::isfinite(direction.y) || (direction.x == 0 && direction.y == 0)) {
    return std::nullopt;
  }
  // The picture's columns −1 .. width and rows −1 .. height, in drawing
  // units (rows grow downwards, y upwards).
  const long double left = mapping.OriginX() + (-1.0L - mapping.OriginColumn()) / scale;
  const long double right = mapping.OriginX() + (static_cast<long double>(outputWidth) - mapping.OriginColumn()) / scale;
  const long double bottom = mapping.OriginY() + (mapping.OriginRow() - static_cast<long double>(outputHeight)) / scale;
  const long double top = mapping.OriginY() + (mapping.OriginRow() + 1.0L) / scale;

  long double from = bothWays ? -INFINITY : 0;
  long double to = INFINITY;
  // Keeps the t for which low <= value + t · step <= high.
  auto narrow = [&](long double value, long double step, long double low, long double high) {
    if (step == 0) return value >= low && value <= high;
    long double enter = (low - value) / step;
    long double leave = (high - value) / step;
    if (enter > leave) std::swap(enter, leave);
    if (enter > from) from = enter;
    if (leave < to) to = leave;
    return from <= to;
  };
  if (!narrow(start.x, direction.x, left, right) || !narrow(start.y, direction.y, bottom, top)) return std::nullopt;
  if (!std::isfinite(from) || !std::isfinite(to)) return std::nullopt;
  return ClippedLine{{start.x + from * direction.x, start.y + from * direction.y},
                     {start.x + to * direction.x, start.y + to * direction.y}};
}

}  // namespace karvex
