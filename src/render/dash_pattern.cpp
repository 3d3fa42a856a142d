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
  double centre = width / 2;  // from the cursor to the middle of the stretch
  for (;;) {
    const float element = lengths[element_];
    const double left = std::fabs(static_cast<double>(element)) - into_;
    // A dash inks the stretch whose middle it covers; a dot the stretch it
    // lies in (the cursor stands on a dot only at the dot itself).
    if (element > 0 && centre >= 0 && centre < left) inked = true;
    if (element == 0 && into_ == 0) inked = true;
    if (rest < left) {
      into_ += rest;
      return inked;
    }
    rest -= left;
    centre -= left;
    element_ = (element_ + 1) % lengths.size();
    into_ = 0;
    if (rest <= 0) return inked;
  }
}

}  // namespace karvex
