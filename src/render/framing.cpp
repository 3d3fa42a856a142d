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

Mapping CentredMapping(const DrawingExtents& extents, std::int32_t outputWidth, std::int32_t outputHeight) {
  long double halfWidth = std::max(-static_cast<long double>(extents.ExtMinX), static_cast<long double>(extents.ExtMaxX));
  long double halfHeight = std::max(-static_cast<long double>(extents.ExtMinY), static_cast<long double>(extents.ExtMaxY));
  if (!(halfWidth > 0)) halfWidth = kFallbackExtent;
  if (!(halfHeight > 0)) halfHeight = kFallbackExtent;
  const long double scale = std::min(outputWidth / (2 * halfWidth), outputHeight / (2 * halfHeight));
  return Mapping(-(outputWidth / 2.0L) / scale, -(outputHeight / 2.0L) / scale, scale, outputHeight);
}

// Columns run from 0 to width − 1 and rows from 0 to height − 1; a row is
// height − R(...), so the box's y takes R values from 1 to height. The
// box's centre goes to the middle of both ranges.
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
  // A picture too small for any span: one pixel per unit, centred all the same.
  if (!(scale > 0) || !std::isfinite(scale)) scale = 1;
  const long double centreX = box.empty ? 0 : (box.minX + box.maxX) / 2;
  const long double centreY = box.empty ? 0 : (box.minY + box.maxY) / 2;
  return Mapping(centreX - (outputWidth - 1) / 2.0L / scale, centreY - (outputHeight + 1) / 2.0L / scale, scale,
                 outputHeight);
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
