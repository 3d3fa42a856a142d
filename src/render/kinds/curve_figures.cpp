#include "render/kinds/curve_figures.h"

#include <algorithm>
#include <cmath>

#include "render/drawing_box.h"

namespace karvex {
namespace {

// How far beyond the coordinates' own size the second point is taken.
constexpr long double kFarFactor = 1024;

}  // namespace

DrawingPoint PlacedDirection(const Placement& placement, const DrawingPoint& from, const DrawingPoint& direction) {
  const long double length = std::hypot(direction.x, direction.y);
  long double far = 1;
  if (length > 0) far = std::max(1.0L, kFarFactor * std::max({std::fabs(from.x), std::fabs(from.y), length}) / length);
  auto placedAlong = [&](long double factor) -> DrawingPoint {
    const auto x = static_cast<float>(from.x + direction.x * factor);
    const auto y = static_cast<float>(from.y + direction.y * factor);
    if (!std::isfinite(x) || !std::isfinite(y)) return {NAN, NAN};
    const DrawingPoint start = placement.Point(static_cast<float>(from.x), static_cast<float>(from.y));
    const DrawingPoint end = placement.Point(x, y);
    return {(end.x - start.x) / factor, (end.y - start.y) / factor};
  };
  const DrawingPoint placed = placedAlong(far);
  if (std::isfinite(placed.x) && std::isfinite(placed.y)) return placed;
  return placedAlong(1);
}

long double Span(std::span<const DrawingPoint> points) {
  DrawingBox box;
  for (const DrawingPoint& point : points) box.Include(point.x, point.y);
  if (box.empty) return 0;
  return std::max(box.maxX - box.minX, box.maxY - box.minY);
}

void DrawThrough(FigureSink& figures, std::span<const DrawingPoint> points) {
  if (points.empty()) return;
  figures.MoveTo(points[0]);
  for (std::size_t i = 1; i < points.size(); ++i) figures.LineTo(points[i]);
}

}  // namespace karvex
