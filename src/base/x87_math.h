#pragma once
// Sine, cosine and arc tangent in extended precision, computed by the x87
// unit's own instructions on every x86 build. The DLL's C library computes
// them that way too, so the native converter and karvex.spi turn block
// points and place arc ends bit for bit alike (the C libraries' software
// versions may differ in the last bit, which can move a rounded pixel).
#include <cmath>

namespace karvex {

// fsin and fcos take arguments below 2^63 in magnitude; larger ones (angles
// beyond 5e20 degrees) go to the C library.
inline bool X87TrigInRange(long double radians) { return std::fabs(radians) < 9223372036854775808.0L; }

inline void SinCos(long double radians, long double& sine, long double& cosine) {
#if defined(__i386__) || defined(__x86_64__)
  if (X87TrigInRange(radians)) {
    __asm__("fsincos" : "=t"(cosine), "=u"(sine) : "0"(radians));
    return;
  }
#endif
  sine = std::sin(radians);
  cosine = std::cos(radians);
}

// The full-quadrant angle of (x, y); Atan2(0, 0) is 0.
inline long double Atan2(long double y, long double x) {
#if defined(__i386__) || defined(__x86_64__)
  long double angle;
  __asm__("fpatan" : "=t"(angle) : "0"(x), "u"(y) : "st(1)");
  return angle;
#else
  return std::atan2(y, x);
#endif
}

}  // namespace karvex
