#include "render/framing.h"

#include <algorithm>
#include <cmath>

namespace karvex {
namespace {

// The width a HEADER's rectangle gets on an axis nothing moved from 0.
constexpr long double kFallbackExtent = 10000.0L;

}  // namespace

std::int32_t FitMargin(std::int32_t outputWidth, std::int32_t outputHeight) {
  return std::min(outputWidth, outputHeight) / 40;
}

Mapping LowerLeftMapping(const DrawingExtents& extents, std::int32_t outputHeight) {
  return Mapping(extents, outputHeight);
}

// The origin lands on the middle pixel (the one right of and below the
// centre where the picture has an even side): column width / 2, row
// height / 2.
Mapping CentredMapping(const DrawingExtents& extents, std::int32_t outputWidth, std::int32_t outputHeight) {
  long double halfWidth = std::max(-static_cast<long double>(extents.ExtMinX), static_cast<long double>(extents.ExtMaxX));
  long double halfHeight = std::max(-static_cast<long double>(extents.ExtMinY), static_cast<long double>(extents.ExtMaxY));
  if (!(halfWidth > 0)) halfWidth = kFallbackExtent;
  if (!(halfHeight > 0)) halfHeight = kFallbackExtent;
  const long double scale = std::min(outputWidth / (2 * halfWidth), outputHeight / (2 * halfHeight));
  return Mapping(0, 0, scale, outputWidth / 2, outputHeight / 2);
}

// Less the margin on each side, the box's bottom-left corner lands on a
// whole pixel, with what the scale leaves over shared out (the odd pixel
// to the right and at the top). Columns run from 0 to width − 1, rows from
// 0 to height − 1.
Mapping FittedMapping(const DrawingBox& box, std::int32_t outputWidth, std::int32_t outputHeight) {
  const std::int32_t margin = FitMargin(outputWidth, outputHeight);
  const long double spanX = std::max<long double>(outputWidth - 1 - 2 * margin, 0);
  const long double spanY = std::max<long double>(outputHeight - 1 - 2 * margin, 0);
  const long double width = box.empty ? 0 : box.maxX - box.minX;
  const long double height = box.empty ? 0 : box.maxY - box.minY;
  long double scale = 1;
  if (width > 0 && height > 0) {
    scale = std::min(spanX / width, spanY / height);
  } else if (width > 0) {
    scale = spanX / width;
  } else if (height > 0) {
    scale = spanY / height;
  }
  // A picture too small for any span: one pixel per unit, placed all the same.
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  const auto left = static_cast<std::int32_t>(margin + std::floor(std::max<long double>(spanX - width * scale, 0) / 2));
  const auto up = static_cast<std::int32_t>(margin + std::floor(std::max<long double>(spanY - height * scale, 0) / 2));
  return Mapping(box.empty ? 0 : box.minX, box.empty ? 0 : box.minY, scale, left, outputHeight - 1 - up);
}

Mapping Framing::MappingFor(const DrawingExtents& extents) const {
  switch (alignment_) {
    case Alignment::LowerLeft: return LowerLeftMapping(extents, outputHeight_);
    case Alignment::CentreOnOrigin: return CentredMapping(extents, outputWidth_, outputHeight_);
    case Alignment::Fit: return fitted_;
  }
  return LowerLeftMapping(extents, outputHeight_);
}

}  // namespace karvex
