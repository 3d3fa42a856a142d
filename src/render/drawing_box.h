#pragma once
// The box, in drawing units, around everything a drawing draws.
namespace karvex {

struct DrawingBox {
  bool empty = true;
  long double minX = 0, minY = 0, maxX = 0, maxY = 0;

  void Include(long double x, long double y) {
    if (empty) {
      minX = maxX = x;
      minY = maxY = y;
      empty = false;
      return;
    }
    if (x < minX) minX = x;
    if (x > maxX) maxX = x;
    if (y < minY) minY = y;
    if (y > maxY) maxY = y;
  }
  void Include(const DrawingBox& other) {
    if (other.empty) return;
    Include(other.minX, other.minY);
    Include(other.maxX, other.maxY);
  }
};

}  // namespace karvex
