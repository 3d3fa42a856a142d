#pragma once
// A pen's dash pattern in pixels, and which pixels of a figure it inks. A
// pixel of a figure stands for a stretch of the figure's length; it is
// inked when a dash of the pattern covers the middle of its stretch, or a
// dot lies in it. The pattern repeats along the figure.
#include <cstddef>
#include <span>
#include <vector>

namespace karvex {

class DashPattern {
 public:
  // Lengths in pixels: positive drawn, negative left out, 0 a dot. A
  // pattern that repeats after no length at all, or that draws nothing, is
  // solid.
  void Set(std::span<const float> pattern);
  bool Solid() const { return lengths_.empty(); }
  double Period() const { return period_; }

  // Whether the stretch [position, position + width) holds ink; position
  // may be anywhere along the repeating pattern.
  bool InkedWithin(double position, double width) const;

  // Walks stretches that follow one another from a position on.
  class Cursor {
   public:
    Cursor(const DashPattern& pattern, double position);
    // Whether the next stretch of this width holds ink; moves past it.
    bool Next(double width);

   private:
    const DashPattern& pattern_;
    std::size_t element_ = 0;
    double into_ = 0;  // how far into the element the cursor is
  };

 private:
  std::vector<float> lengths_;  // as given (signs kept)
  double period_ = 0;
};

}  // namespace karvex
