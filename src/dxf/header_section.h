#pragma once
#include <cstdint>

#include "dxf/drawing_extents.h"
#include "dxf/group_pair_reader.h"
#include "dxf/style_tables.h"
#include "dxf/text_encoding.h"

namespace karvex {

// The scale a HEADER section that cannot be read leaves behind: 0.1 as a
// 32-bit float.
constexpr float kFallbackDrawScale = 0.1f;

// Reads a HEADER section (the reader on its (2, "HEADER") pair): merges
// $EXTMIN/$EXTMAX and $LIMMIN/$LIMMAX into a rectangle that contains the
// origin, and derives DrawScale from it and the output size. With styles (a
// picture that follows line types), $LTSCALE too; a value of it that does
// not convert is passed over. With textFacts, $ACADVER and $DWGCODEPAGE
// are noted there (a value of another group code is passed over). False when the host asked to stop (scale
// untouched) or a failure occurred (scale 0.1).
bool ReadHeaderSection(GroupPairReader& reader, DrawingExtents& extents, std::int32_t outputWidth,
                       std::int32_t outputHeight, StyleTables* styles = nullptr,
                       HeaderTextFacts* textFacts = nullptr);

}  // namespace karvex
