#include "render/bulge_arc.h"

#include <cmath>
#include <numbers>

namespace karvex {

std::optional<BulgeArc> ArcOfBulge(double x1, double y1, double x2, double y2, double bulge) {
  const double size = std::fabs(bulge);
  if (!(size >= kSmallestBulge && size <= kLargestBulge)) return std::nullopt;
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double chord = std::hypot(dx, dy);
  if (!(chord > 0) || !std::isfinite(chord)) return std::nullopt;
  // The centre lies on the chord's perpendicular bisector, to the left of
  // the segment for a counter-clockwise arc shorter than a half circle.
  const double towardsCentre = (1 - bulge * bulge) / (4 * bulge);
  BulgeArc arc;
  arc.centreX = (x1 + x2) / 2 - dy * towardsCentre;
  arc.centreY = (y1 + y2) / 2 + dx * towardsCentre;
  arc.radius = chord * (1 + bulge * bulge) / (4 * size);
  constexpr double kDegrees = 180 / std::numbers::pi;
  const double from = std::atan2(y1 - arc.centreY, x1 - arc.centreX) * kDegrees;
  const double to = std::atan2(y2 - arc.centreY, x2 - arc.centreX) * kDegrees;
  arc.startDegrees = bulge > 0 ? from : to;
  arc.endDegrees = bulge > 0 ? to : from;
  return arc;
}

}  // namespace karvex
