#pragma once
// How the platform sizes a TrueType font from a logical height, and how wide
// it lays each character out: the integer rules of its font mapper, so that
// our texts take the cell and the advances the platform's would take in the
// same face.
#include <cstdint>

namespace karvex {

// What the sizing rules read from a face, in font units.
struct FaceMetrics {
  std::int32_t unitsPerEm = 0;
  std::int32_t winAscent = 0;      // OS/2 table
  std::int32_t winDescent = 0;     // OS/2 table, taken as a magnitude
  std::int32_t hheaAscender = 0;   // used when the OS/2 pair is zero
  std::int32_t hheaDescender = 0;  // negative below the base line
  std::int32_t averageWidth = 0;   // OS/2 xAvgCharWidth
  bool fixedPitch = false;         // the platform lays full-width characters out as two half-widths
};

// One size of the face: the em in pixels and the character cell around the
// base line.
struct FontCell {
  std::int32_t ppem = 1;
  std::int32_t ascent = 0;   // rows from the cell's top to the base line
  std::int32_t descent = 0;  // rows from the base line to the cell's bottom
  std::int32_t Height() const { return ascent + descent; }
};

// The largest em the platform scales to; a height that would need more is
// drawn at one pixel per em.
constexpr std::int32_t kLargestPpem = 0xFFFF;

// The cell height a logical height of 0 asks for.
constexpr std::int32_t kDefaultCellHeight = 16;

// A positive height is the cell height (ascent + descent), a negative one the
// em height, 0 the default cell height.
FontCell CellForHeight(const FaceMetrics& face, std::int32_t height);

// The whole pixels a character advances, from its grid-fitted advance in
// 1/64 pixels.
std::int32_t AdvanceInPixels(const FaceMetrics& face, const FontCell& cell, std::int64_t hintedAdvance);

}  // namespace karvex
