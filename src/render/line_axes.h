#pragma once
// A line of pen width 1 as the rasterizers walk it: one step a pixel along
// its major axis, from its start pixel to the one before its end pixel, the
// minor coordinate following.
#include <algorithm>
#include <cstdint>

namespace karvex {

struct LineAxes {
  bool xMajor = true;
  std::int64_t length = 0;  // steps; 0 for a line of no length
  std::int64_t majorStart = 0;
  std::int64_t minorStart = 0;
  std::int64_t majorSign = 1;
  std::int64_t minorDelta = 0;  // over the whole length
  std::int64_t majorLimit = 0;  // the picture's extent along each axis
  std::int64_t minorLimit = 0;

  static LineAxes Of(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, std::int32_t width,
                     std::int32_t height) {
    const std::int64_t dx = std::int64_t{x1} - x0;
    const std::int64_t dy = std::int64_t{y1} - y0;
    const std::int64_t absDx = dx < 0 ? -dx : dx;
    const std::int64_t absDy = dy < 0 ? -dy : dy;
    LineAxes line;
    line.xMajor = absDx >= absDy;
    line.length = line.xMajor ? absDx : absDy;
    line.majorStart = line.xMajor ? x0 : y0;
    line.minorStart = line.xMajor ? y0 : x0;
    line.majorSign = (line.xMajor ? dx : dy) < 0 ? -1 : 1;
    line.minorDelta = line.xMajor ? dy : dx;
    line.majorLimit = line.xMajor ? width : height;
    line.minorLimit = line.xMajor ? height : width;
    return line;
  }

  // The steps whose major coordinate lies inside the picture, first to
  // last; false when there are none.
  bool MajorStepsInside(std::int64_t& first, std::int64_t& last) const {
    first = 0;
    last = length - 1;
    if (majorSign > 0) {
      first = std::max(first, -majorStart);
      last = std::min(last, majorLimit - 1 - majorStart);
    } else {
      first = std::max(first, majorStart - (majorLimit - 1));
      last = std::min(last, majorStart);
    }
    return first <= last;
  }
};

}  // namespace karvex
