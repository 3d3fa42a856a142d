#include "dxf/header_section.h"

#include <optional>

#include "dxf/number_conversion.h"

namespace karvex {
namespace {

// Width of the rectangle an axis gets when nothing moved it away from 0.
constexpr long double kFallbackExtent = 10000.0L;

bool IsCoordinateGroup(std::int32_t code) { return code >= 10 && code <= 37; }

// The coordinate pairs after a variable name. The first pair is always
// worked; the loop stops on a pair read inside it, which is left current.
template <typename Replaces>
void ReadCorner(GroupPairReader& reader, float& x, float& y, Replaces replaces) {
  reader.ReadGroupPair();
  do {
    if (reader.GroupCode() == 10) {
      long double value = ConvertReal(reader.GroupValue());
      if (replaces(value, x)) x = StoreAsFloat(value);
    }
    if (reader.GroupCode() == 20) {
      long double value = ConvertReal(reader.GroupValue());
      if (replaces(value, y)) y = StoreAsFloat(value);
    }
    reader.ReadGroupPair();
  } while (IsCoordinateGroup(reader.GroupCode()));
}

// The value of $LTSCALE, the pair after its name, which is left current.
void ReadLineTypeScale(GroupPairReader& reader, StyleTables& styles) {
  reader.ReadGroupPair();
  if (reader.GroupCode() != 40) return;
  const std::optional<long double> scale = ParseReal(reader.GroupValue());
  if (scale && *scale > 0 && *scale < 1e30L) styles.SetLineTypeScale(static_cast<float>(*scale));
}

// The value of a text variable, the pair after its name, which is left
// current so that the walk goes on from it as from any pair.
void ReadTextVariable(GroupPairReader& reader, std::int32_t code, std::optional<std::string>& into) {
  reader.ReadGroupPair();
  if (reader.GroupCode() == code) into = std::string(reader.GroupValue());
}

}  // namespace

bool ReadHeaderSection(GroupPairReader& reader, DrawingExtents& extents, std::int32_t outputWidth,
                       std::int32_t outputHeight, StyleTables* styles, HeaderTextFacts* textFacts) {
  try {
    extents.ExtMinX = extents.ExtMinY = extents.ExtMaxX = extents.ExtMaxY = 0.0f;
    reader.ReadGroupPair();
    for (;;) {
      bool movedOn = false;
      if (reader.Is(9, "$EXTMAX") || reader.Is(9, "$LIMMAX")) {
        ReadCorner(reader, extents.ExtMaxX, extents.ExtMaxY,
                   [](long double value, float held) { return value > held; });
        movedOn = true;
      }
      if (reader.Is(9, "$EXTMIN") || reader.Is(9, "$LIMMIN")) {
        ReadCorner(reader, extents.ExtMinX, extents.ExtMinY,
                   [](long double value, float held) { return value < held; });
        movedOn = true;
      }
      if (styles != nullptr && reader.Is(9, "$LTSCALE")) {
        ReadLineTypeScale(reader, *styles);
        movedOn = true;
      }
      if (textFacts != nullptr && reader.Is(9, "$ACADVER")) {
        ReadTextVariable(reader, 1, textFacts->acadVersion);
        movedOn = true;
      } else if (textFacts != nullptr && reader.Is(9, "$DWGCODEPAGE")) {
        ReadTextVariable(reader, 3, textFacts->dwgCodePage);
        movedOn = true;
      }
      if (reader.AbortRequested()) return false;
      if (!movedOn) reader.ReadGroupPair();
      if (reader.IsEnd("ENDSEC")) break;
    }

    if (static_cast<long double>(extents.ExtMaxX) - extents.ExtMinX == 0.0L) {
      extents.ExtMaxX = StoreAsFloat(extents.ExtMinX + kFallbackExtent);
    }
    if (static_cast<long double>(extents.ExtMaxY) - extents.ExtMinY == 0.0L) {
      extents.ExtMaxY = StoreAsFloat(extents.ExtMinY + kFallbackExtent);
    }
    const long double sx = static_cast<long double>(outputWidth) / (static_cast<long double>(extents.ExtMaxX) - extents.ExtMinX);
    const long double sy = static_cast<long double>(outputHeight) / (static_cast<long double>(extents.ExtMaxY) - extents.ExtMinY);
    extents.DrawScale = StoreAsFloat(sy < sx ? sy : sx);
    return true;
  } catch (...) {
    extents.DrawScale = kFallbackDrawScale;
    return false;
  }
}

}  // namespace karvex
