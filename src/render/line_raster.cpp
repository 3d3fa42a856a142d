#include "render/line_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "render/line_axes.h"

namespace karvex {
namespace {

// The line as steps i = 0 … count − 1 along the major axis. The minor offset
// at step i is minorDelta · i / majorLength rounded with halves downwards;
// both factors are below 2^32, so the product is exact in 64 bits.
class LineSteps {
 public:
  LineSteps(std::int64_t majorLength, std::int64_t minorDelta)
      : length_(static_cast<std::uint64_t>(majorLength)),
        minorMagnitude_(static_cast<std::uint64_t>(minorDelta < 0 ? -minorDelta : minorDelta)),
        minorNegative_(minorDelta < 0) {}

  // Minor offset at step i.
  std::int64_t MinorAt(std::int64_t step) const {
    const std::uint64_t product = minorMagnitude_ * static_cast<std::uint64_t>(step);
    return Rounded(product / length_, product % length_);
  }

  // Walks steps first … last, calling plot(step, minorOffset) for each.
  template <class Plot>
  void Walk(std::int64_t first, std::int64_t last, Plot plot) const {
    const std::uint64_t product = minorMagnitude_ * static_cast<std::uint64_t>(first);
    std::uint64_t quotient = product / length_;
    std::uint64_t remainder = product % length_;
    for (std::int64_t step = first; step <= last; ++step) {
      plot(step, Rounded(quotient, remainder));
      remainder += minorMagnitude_;
      if (remainder >= length_) {
        remainder -= length_;
        ++quotient;
      }
    }
  }

 private:
  // quotient + remainder / length rounded to nearest; a half rounds towards
  // the smaller coordinate, which for a negative offset means away from zero.
  std::int64_t Rounded(std::uint64_t quotient, std::uint64_t remainder) const {
    const std::uint64_t twice = 2 * remainder;
    if (minorNegative_) return -static_cast<std::int64_t>(quotient + (twice >= length_ && remainder != 0 ? 1 : 0));
    return static_cast<std::int64_t>(quotient + (twice > length_ ? 1 : 0));
  }

  std::uint64_t length_;
  std::uint64_t minorMagnitude_;
  bool minorNegative_;
};

// First step in [first, last] whose minor coordinate satisfies a condition
// that, once true, stays true along the line (or last + 1 if none does).
template <class Condition>
std::int64_t FirstStepWhere(std::int64_t first, std::int64_t last, Condition condition) {
  while (first <= last) {
    const std::int64_t middle = first + (last - first) / 2;
    if (condition(middle)) {
      last = middle - 1;
    } else {
      first = middle + 1;
    }
  }
  return first;
}

// Calls plot(step, x, y) for each step of the line whose pixel lies inside
// the picture, in step order; the steps run 0 … length − 1 along the major
// axis.
template <class Plot>
void TraceLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1, Plot plot) {
  const LineAxes line = LineAxes::Of(x0, y0, x1, y1, grid.Width(), grid.Height());
  // Steps whose major coordinate lies inside the picture.
  std::int64_t first = 0;
  std::int64_t last = 0;
  if (!line.MajorStepsInside(first, last)) return;

  // Of those, the ones whose minor coordinate lies inside too: the minor
  // coordinate moves one way only, so the visible steps are one run.
  const LineSteps steps(line.length, line.minorDelta);
  auto minorAt = [&](std::int64_t step) { return line.minorStart + steps.MinorAt(step); };
  if (line.minorDelta >= 0) {
    first = FirstStepWhere(first, last, [&](std::int64_t s) { return minorAt(s) >= 0; });
    last = FirstStepWhere(first, last, [&](std::int64_t s) { return minorAt(s) > line.minorLimit - 1; }) - 1;
  } else {
    first = FirstStepWhere(first, last, [&](std::int64_t s) { return minorAt(s) <= line.minorLimit - 1; });
    last = FirstStepWhere(first, last, [&](std::int64_t s) { return minorAt(s) < 0; }) - 1;
  }
  if (first > last) return;

  if (line.xMajor) {
    steps.Walk(first, last, [&](std::int64_t step, std::int64_t minorOffset) {
      plot(step, static_cast<std::int32_t>(line.majorStart + line.majorSign * step),
           static_cast<std::int32_t>(line.minorStart + minorOffset));
    });
  } else {
    steps.Walk(first, last, [&](std::int64_t step, std::int64_t minorOffset) {
      plot(step, static_cast<std::int32_t>(line.minorStart + minorOffset),
           static_cast<std::int32_t>(line.majorStart + line.majorSign * step));
    });
  }
}

}  // namespace

void DrawLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  TraceLine(grid, x0, y0, x1, y1, [&](std::int64_t, std::int32_t x, std::int32_t y) { grid.PlotInside(x, y); });
}

// Each step stands for an equal share of the line's length.
void DrawDashedLine(const PixelGrid& grid, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                    const DashPattern& pattern, double phase) {
  const double dx = static_cast<double>(x1) - x0;
  const double dy = static_cast<double>(y1) - y0;
  const double majorLength = std::max(std::fabs(dx), std::fabs(dy));
  if (majorLength == 0) return;
  const double share = std::hypot(dx, dy) / majorLength;
  std::optional<DashPattern::Cursor> cursor;
  TraceLine(grid, x0, y0, x1, y1, [&](std::int64_t step, std::int32_t x, std::int32_t y) {
    if (!cursor) cursor.emplace(pattern, phase + static_cast<double>(step) * share);
    if (cursor->Next(share)) grid.PlotInside(x, y);
  });
}

}  // namespace karvex
