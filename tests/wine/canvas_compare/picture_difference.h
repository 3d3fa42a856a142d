#pragma once
// How two pictures of one figure differ: pixels drawn by either, pixels
// alike in both, and whether any drawn pixel lies more than one pixel away
// from everything the other picture drew.
#include <cstddef>
#include <cstdint>

namespace karvex::testing {

struct PictureDifference {
  std::int64_t drawn = 0;      // pixels not white in either picture
  std::int64_t identical = 0;  // of those, the ones of the same colour in both
  // Some pixel drawn in one picture has no drawn pixel of the other within
  // Chebyshev distance 1 (the 3 × 3 square around it).
  bool offByMoreThanOne = false;

  std::int64_t Differing() const { return drawn - identical; }
};

// Two 24-bit bottom-up pictures of the same size and row stride.
PictureDifference ComparePictures(const std::uint8_t* first, const std::uint8_t* second, std::int32_t width,
                                  std::int32_t height, std::size_t stride);

}  // namespace karvex::testing
