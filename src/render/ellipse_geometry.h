#pragma once
// The ellipse of a box and the part of it an arc covers, in continuous
// picture coordinates whose whole numbers are pixel centres (rows grow
// downwards): the figure the raster traces pixel by pixel, for the backends
// that draw it smooth or write it out.
#include <cstdint>

namespace karvex {

struct EllipseGeometry {
  // The box with its corners in order; right and bottom exclusive.
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
  // The outline runs through the centres of the box's outermost pixels.
  double centreX = 0;
  double centreY = 0;
  double semiX = 0;
  double semiY = 0;

  // Corners in any order.
  static EllipseGeometry OfBox(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

  std::int64_t Width() const { return right - left; }
  std::int64_t Height() const { return bottom - top; }
  // The raster fills boxes of 2 pixels or less across, and draws nothing
  // in a box of one pixel or of no width or height.
  bool DrawsNothing() const { return Width() <= 0 || Height() <= 0 || (Width() == 1 && Height() == 1); }
  bool Filled() const { return Width() <= 2 || Height() <= 2; }

  // The outline point in the direction of angle (radians, counter-clockwise
  // from the right as the picture is viewed).
  void PointAt(double angle, double& x, double& y) const;
};

// The part of the outline an arc draws: counter-clockwise (as viewed) from
// angle start over span radians, or all of it.
struct ArcSweep {
  bool whole = false;
  double start = 0;  // [0, 2π)
  double span = 0;   // below 2π; none of the outline when negative

  // Whether the outline point in the direction of angle is on the arc.
  bool Covers(double angle) const;
};

// The arc between the rays from the box centre, rounded down to a pixel as
// the raster rounds it, through the start and the end point, stopping a
// pixel and a half short of the end ray as the platform's pen does (except
// at angle 0, where the outline ends). Rays in one direction give the whole
// outline.
ArcSweep SweepOf(const EllipseGeometry& ellipse, std::int32_t startX, std::int32_t startY, std::int32_t endX,
                 std::int32_t endY);

// An angle brought into [0, 2π).
double NormalAngle(double angle);

}  // namespace karvex
