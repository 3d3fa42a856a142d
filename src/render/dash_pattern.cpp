#include "render/dash_pattern.h"

#include <cmath>

namespace karvex {

void DashPattern::Set(std::span<const float> pattern) {
  lengths_.assign(pattern.begin(), pattern.end());
  period_ = 0;
  bool draws = false;
  for (float length : lengths_) {
    period_ += std::fabs(static_cast<double>(length));
    if (length >= 0) draws = true;
  }
  if (!(period_ > 0) || !std::isfinite(period_) || !draws) {
    lengths_.clear();
    period_ = 0;
  }
}

bool DashPattern::InkedWithin(double position, double width) const {
  if (Solid()) return true;
  Cursor cursor(*this, position);
  return cursor.Next(width);
}

DashPattern::Cursor::Cursor(const DashPattern& pattern, double position) : pattern_(pattern) {
  if (pattern_.Solid()) return;
  double into = std::isfinite(position) ? std::fmod(position, pattern_.period_) : 0.0;
  if (into < 0) into += pattern_.period_;
  // Find the element the position lies in; a dot exactly at the position
  // is where the cursor stays. Rounding may leave a hair past the last
  // element: that is the start of the next period.
  const std::size_t count = pattern_.lengths_.size();
  for (std::size_t step = 0;; ++step) {
    if (step == count) {
      element_ = 0;
      into = 0;
      break;
    }
    const double length = std::fabs(static_cast<double>(pattern_.lengths_[element_]));
    if (into < length || (length == 0 && into == 0)) break;
    into -= length;
    element_ = (element_ + 1) % count;
  }
  into_ = into;
}

bool DashPattern::Cursor::Next(double width) {
  if (pattern_.Solid()) return true;
  const std::vector<float>& lengths = pattern_.lengths_;
  bool inked = false;
  double rest = width;
  for (;;) {
    const float element = lengths[element_];
    const double length = std::fabs(static_cast<double>(element));
    // A dash overlaps the stretch wherever the cursor is inside it; a dot
    // only when the cursor is on it.
    if (element > 0 || (element == 0 && into_ == 0)) inked = true;
    const double left = length - into_;
    if (rest < left) {
      into_ += rest;
      return inked;
    }
    rest -= left;
    element_ = (element_ + 1) % lengths.size();
    into_ = 0;
    if (rest <= 0) return inked;
  }
}

}  // namespace karvex
