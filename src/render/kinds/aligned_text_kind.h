#pragma once
// TEXT with its alignment, and the attributes drawn like it (ATTRIB, and
// ATTDEF in the ENTITIES section). Horizontal alignment 72: 0 left, 1
// centre, 2 right, 4 middle (centred both ways); vertical alignment (73 for
// TEXT, 74 for the attributes): 0 baseline, 1 bottom, 2 middle, 3 top.
// Any alignment but left on the baseline is taken at the second point
// (11/21), where there is one. Aligned (3) and fit (5) texts are drawn
// from the first point at their own height and rotation, as left on the
// baseline: the cell of the gothic face does not stretch. The width is
// reckoned in the face's cells (TextEncoding::WidthInHeights).
#include <cstdint>
#include <optional>
#include <string>

#include "base/failures.h"
#include "dxf/text_encoding.h"
#include "render/entity_drawer.h"
#include "render/kinds/placed_text.h"

namespace karvex {

struct AlignedTextRecord {
  float x = 0, y = 0;
  std::optional<float> alignX, alignY;
  float height = 5.0f;
  float rotation = 0;  // degrees
  std::int32_t horizontal = 0;
  std::int32_t vertical = 0;
  std::int32_t flags = 0;
  std::string text;
};

// The groups each kind keeps its vertical alignment and its drawn text in.
struct AlignedTextGroups {
  std::int32_t vertical;
  std::int32_t text;
};
inline constexpr AlignedTextGroups kTextGroups{73, 1};
inline constexpr AlignedTextGroups kAttributeGroups{74, 1};
// An ATTDEF shows its tag.
inline constexpr AlignedTextGroups kAttributeDefinitionGroups{74, 2};

// The line placed in the entity's own units (empty when nothing is drawn),
// with the rotation it is drawn at (degrees, within one turn).
PlacedLine PlaceAlignedText(const AlignedTextRecord& text, const TextEncoding& encoding, float& rotation);

template <class In>
AlignedTextRecord ReadAlignedText(In& in, AlignedTextGroups groups) {
  AlignedTextRecord text;
  in.ReadGroups([&](std::int32_t code) {
    const std::string_view value = in.Pairs().GroupValue();
    if (code == groups.text) {
      text.text.assign(value);
      return;
    }
    std::int32_t* number = nullptr;
    if (code == 72) number = &text.horizontal;
    if (code == groups.vertical) number = &text.vertical;
    if (code == 70) number = &text.flags;
    if (number != nullptr) {
      *number = ParseInteger(value).value_or(0);
      return;
    }
    switch (code) {
      case 10: text.x = FiniteFloat(value).value_or(text.x); break;
      case 20: text.y = FiniteFloat(value).value_or(text.y); break;
      case 11: text.alignX = FiniteFloat(value); break;
      case 21: text.alignY = FiniteFloat(value); break;
      case 40: text.height = FiniteFloat(value).value_or(text.height); break;
      case 50: text.rotation = FiniteFloat(value).value_or(text.rotation); break;
      default: break;
    }
  });
  return text;
}

// Attributes with flag bit 1 are invisible; a TEXT has no such flag.
template <class Sink, class Place, class In, AlignedTextGroups Groups, bool HasInvisibleFlag>
void DrawAlignedText(EntityDrawer& walk, const Placement& placement) {
  const AlignedTextRecord text = ReadAlignedText(static_cast<In&>(walk.Input()), Groups);
  walk.ApplyStyle();
  if (HasInvisibleFlag && (text.flags & 1) != 0) return;
  float rotation = 0;
  const PlacedLine line = PlaceAlignedText(text, walk.Texts(), rotation);
  try {
    DrawPlacedLine(static_cast<Sink&>(walk.Figures()), static_cast<const Place&>(placement), line, text.height,
                   rotation);
  } catch (const Failure&) {
    // A text placed beyond any picture costs only itself.
  }
}

}  // namespace karvex
