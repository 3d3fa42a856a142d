#include "render/font_cell.h"

#include <cstdlib>

namespace karvex {
namespace {

// a * b / c rounded half away from zero, as the font scaler's fixed-point
// helpers round.
std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
  if (c == 0) return 0;
  const bool negative = ((a < 0) != (b < 0)) != (c < 0);
  const std::int64_t magnitude = (std::llabs(a) * std::llabs(b) + std::llabs(c) / 2) / std::llabs(c);
  return negative ? -magnitude : magnitude;
}

// a times a 16.16 fixed-point factor, rounded.
std::int64_t MulFixed(std::int64_t a, std::int64_t fixed) { return MulDivRound(a, fixed, 0x10000); }

struct CellUnits {
  std::int64_t ascent;
  std::int64_t descent;
};

CellUnits CellInFontUnits(const FaceMetrics& face) {
  const std::int64_t winDescent = std::llabs(face.winDescent);
  if (face.winAscent + winDescent != 0) return {face.winAscent, winDescent};
  return {face.hheaAscender, -static_cast<std::int64_t>(face.hheaDescender)};
}

std::int64_t EmScale(const FaceMetrics& face, std::int32_t ppem) {
  return MulDivRound(ppem, 0x10000, face.unitsPerEm);
}

}  // namespace

FontCell CellForHeight(const FaceMetrics& face, std::int32_t height) {
  if (height == 0) height = kDefaultCellHeight;
  const CellUnits units = CellInFontUnits(face);
  const std::int64_t cellUnits = units.ascent + units.descent;
  std::int64_t ppem = 1;
  if (height > 0) {
    if (cellUnits > 0) {
      ppem = MulDivRound(face.unitsPerEm, height, cellUnits);
      // Rounding must not make the cell taller than asked.
      if (ppem > 1 && MulDivRound(cellUnits, ppem, face.unitsPerEm) > height) --ppem;
    } else {
      ppem = height;
    }
  } else if (height >= -kLargestPpem) {
    ppem = -static_cast<std::int64_t>(height);
  }
  if (ppem > kLargestPpem || ppem < 1) ppem = 1;

  FontCell cell;
  cell.ppem = static_cast<std::int32_t>(ppem);
  const std::int64_t scale = EmScale(face, cell.ppem);
  cell.ascent = static_cast<std::int32_t>(MulFixed(units.ascent, scale));
  cell.descent = static_cast<std::int32_t>(MulFixed(units.descent, scale));
  return cell;
}

std::int32_t AdvanceInPixels(const FaceMetrics& face, const FontCell& cell, std::int64_t hintedAdvance) {
  const std::int64_t advance = hintedAdvance > 0 ? (hintedAdvance + 63) / 64 : 0;
  if (face.fixedPitch && face.averageWidth > 0) {
    // A fixed-pitch face keeps its full-width characters exactly two
    // half-widths wide, even where the em is an odd number of pixels.
    const std::int64_t scale = EmScale(face, cell.ppem);
    const std::int64_t halfWidth = MulFixed(face.averageWidth, scale);
    if (halfWidth > 0 && advance == MulFixed(2 * static_cast<std::int64_t>(face.averageWidth), scale)) {
      return static_cast<std::int32_t>(2 * halfWidth);
    }
  }
  return static_cast<std::int32_t>(advance);
}

}  // namespace karvex
