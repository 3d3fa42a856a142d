#pragma once
// How finely a curve is cut into chords: no chord may stray more than half
// a pixel from the curve at the picture's scale.
//
// A picture at a scale known before it is drawn takes half a pixel in
// drawing units. A picture framed by what it draws is measured by a walk
// that must place exactly the points the drawing walk draws, before the
// scale is known; both walks then cut a curve by what it spans instead. The
// curve lies inside the framed box, so the scale is at most the longest
// side of the picture (less its margins) over the curve's span, and half a
// pixel at that scale is never more than half a pixel at the real one.
#include <algorithm>
#include <cstdint>

#include "render/framing.h"

namespace karvex {

class ChordRule {
 public:
  // pixelsPerUnit known before drawing.
  static ChordRule AtScale(long double pixelsPerUnit) { return ChordRule(pixelsPerUnit, 0); }
  // The picture is framed by what it draws, at this size.
  static ChordRule Fitted(std::int32_t outputWidth, std::int32_t outputHeight) {
    const std::int32_t margin = FitMargin(outputWidth, outputHeight);
    const std::int32_t longest = std::max(outputWidth, outputHeight) - 1 - 2 * margin;
    return ChordRule(0, std::max(longest, 1));
  }

  // The most a chord may stray, in drawing units, from a curve whose
  // points that every cutting passes through span extent drawing units
  // (along the wider axis). A curve that spans nothing is drawn at one
  // pixel per unit, as a framed point is.
  long double Tolerance(long double extent) const {
    if (longestSide_ == 0) return kHalfPixel / pixelsPerUnit_;
    if (!(extent > 0)) return kHalfPixel;
    return kHalfPixel * extent / longestSide_;
  }

 private:
  ChordRule(long double pixelsPerUnit, std::int32_t longestSide)
      : pixelsPerUnit_(pixelsPerUnit), longestSide_(longestSide) {}

  static constexpr long double kHalfPixel = 0.5L;
  long double pixelsPerUnit_;
  std::int32_t longestSide_;
};

}  // namespace karvex
