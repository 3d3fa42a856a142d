#pragma once
// An INSERT read with everything that places its block: insertion point,
// scale factors, turn, the rows and columns of an array with their
// spacings, and an extrusion pointing down (which mirrors it); and the
// anonymous block a DIMENSION draws with, which is placed like an INSERT at
// the origin.
#include <cstdint>
#include <optional>
#include <string_view>

#include "dxf/number_conversion.h"
#include "render/affine_placement.h"

namespace karvex {

struct PlacedInsertRecord {
  std::string_view blockName;
  bool hasBlockName = false;
  float x = 0, y = 0;
  float scaleX = 1, scaleY = 1;
  float angle = 0;  // degrees
  std::int32_t columns = 1, rows = 1;
  float columnSpacing = 0, rowSpacing = 0;
  // The extrusion's z below zero: seen from below, the block is mirrored.
  bool seenFromBelow = false;

  // The placement of the block's cell (column, row) inside outer, before
  // the block's base point is taken off. The cells lie along the INSERT's
  // turned axes, their spacings unscaled.
  AffinePlacement Cell(const AffinePlacement& outer, std::int32_t column, std::int32_t row) const {
    const AffinePlacement seen = seenFromBelow ? outer.Scaled(-1, 1) : outer;
    return seen.Moved(x, y)
        .Turned(angle)
        .Moved(static_cast<long double>(column) * columnSpacing, static_cast<long double>(row) * rowSpacing)
        .Scaled(scaleX, scaleY);
  }
};

// A count that does not convert, or is below one, is one.
inline std::int32_t ArrayCount(std::string_view text) {
  const std::optional<std::int32_t> count = ParseInteger(text);
  return count && *count > 1 ? *count : 1;
}

template <class In>
PlacedInsertRecord ReadPlacedInsert(In& in) {
  PlacedInsertRecord insert;
  in.ReadGroups([&](std::int32_t code) {
    GroupPairReader& pairs = in.Pairs();
    switch (code) {
      case 2:
        insert.blockName = pairs.GroupValue();
        insert.hasBlockName = true;
        break;
      case 10: insert.x = pairs.GroupValueAsFloat(); break;
      case 20: insert.y = pairs.GroupValueAsFloat(); break;
      case 41: insert.scaleX = pairs.GroupValueAsFloat(); break;
      case 42: insert.scaleY = pairs.GroupValueAsFloat(); break;
      case 50: insert.angle = pairs.GroupValueAsFloat(); break;
      case 70: insert.columns = ArrayCount(pairs.GroupValue()); break;
      case 71: insert.rows = ArrayCount(pairs.GroupValue()); break;
      case 44: insert.columnSpacing = pairs.GroupValueAsFloat(); break;
      case 45: insert.rowSpacing = pairs.GroupValueAsFloat(); break;
      case 230: insert.seenFromBelow = pairs.GroupValueAsFloat() < 0; break;
      default: break;
    }
  });
  return insert;
}

// A DIMENSION's group 2 names its block, whose points are already where the
// dimension is drawn: nothing else of the DIMENSION moves them.
template <class In>
PlacedInsertRecord ReadDimension(In& in) {
  PlacedInsertRecord dimension;
  in.ReadGroups([&](std::int32_t code) {
    if (code == 2) {
      dimension.blockName = in.Pairs().GroupValue();
      dimension.hasBlockName = true;
    }
  });
  return dimension;
}

}  // namespace karvex
