#pragma once

namespace karvex {

// The drawing rectangle (always containing the origin) and the scale, in
// pixels per drawing unit, that a HEADER section sets. They keep their values
// from one request to the next unless a HEADER section changes them.
struct DrawingExtents {
  float ExtMinX = 0.0f;
  float ExtMinY = 0.0f;
  float ExtMaxX = 0.0f;
  float ExtMaxY = 0.0f;
  float DrawScale = 0.0f;
};

}  // namespace karvex
