#pragma once
// The arc a polyline segment with a bulge stands for. The bulge is the
// tangent of a quarter of the arc's included angle: 1 is a half circle,
// positive turns counter-clockwise from the segment's start to its end,
// negative clockwise.
#include <optional>

namespace karvex {

struct BulgeArc {
  double centreX = 0, centreY = 0;
  double radius = 0;
  // Counter-clockwise from the start angle to the end angle, in degrees,
  // whichever way the segment runs.
  double startDegrees = 0, endDegrees = 0;
};

// Beyond this a bulge is taken as straight: its arc would be a circle
// thousands of times wider than its chord, which no drawing means.
inline constexpr double kLargestBulge = 1e4;
// Below this the arc cannot be told from its chord.
inline constexpr double kSmallestBulge = 1e-7;

// None when the segment is drawn straight: a bulge of 0 (or one too small
// or too large to be meant, or not a number), or a segment without length.
std::optional<BulgeArc> ArcOfBulge(double x1, double y1, double x2, double y2, double bulge);

}  // namespace karvex
