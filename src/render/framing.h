#pragma once
// Where the drawing lands on the picture: the mapping each alignment mode
// gives an ENTITIES section.
//   1 (lower left): the HEADER's rectangle, which holds the origin, at the
//     picture's bottom-left corner, at the HEADER's DrawScale;
//   2 (centre): the origin at the picture's centre, as large as that
//     rectangle mirrored about the origin fits;
//   3 (fit): the box of everything the picture draws, as large as it fits
//     inside a margin, in the middle of the picture.
#include <cstdint>

#include "dxf/drawing_extents.h"
#include "render/drawing_box.h"
#include "render/drawing_options.h"
#include "render/mapping.h"

namespace karvex {

// The margin left around a fitted box on each side, in pixels: a fortieth
// of the picture's shorter side (11 pixels at 640 x 453).
std::int32_t FitMargin(std::int32_t outputWidth, std::int32_t outputHeight);

Mapping LowerLeftMapping(const DrawingExtents& extents, std::int32_t outputHeight);
// A rectangle that is a point on an axis counts as 10000 units wide there,
// as a HEADER without extents does.
Mapping CentredMapping(const DrawingExtents& extents, std::int32_t outputWidth, std::int32_t outputHeight);
// A box without width or without height takes its scale from the other
// side; a box that is a single point is drawn at one pixel per unit. The
// box's centre lands on the picture's centre either way. An empty box
// (nothing drawn) maps as a single point at the origin.
Mapping FittedMapping(const DrawingBox& box, std::int32_t outputWidth, std::int32_t outputHeight);

class Framing {
 public:
  // measured: the box of the drawing, for mode 3.
  Framing(Alignment alignment, std::int32_t outputWidth, std::int32_t outputHeight, const DrawingBox& measured = {})
      : alignment_(alignment), outputWidth_(outputWidth), outputHeight_(outputHeight),
        fitted_(FittedMapping(measured, outputWidth, outputHeight)) {}

  // The mapping of an ENTITIES section that starts with the HEADER's
  // rectangle as it then stands.
  Mapping MappingFor(const DrawingExtents& extents) const;

  Alignment AlignmentMode() const { return alignment_; }
  std::int32_t OutputWidth() const { return outputWidth_; }
  std::int32_t OutputHeight() const { return outputHeight_; }

 private:
  Alignment alignment_;
  std::int32_t outputWidth_;
  std::int32_t outputHeight_;
  Mapping fitted_;
};

}  // namespace karvex
