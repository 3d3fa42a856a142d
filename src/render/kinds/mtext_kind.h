#pragma once
// MTEXT: a text of several lines at its attachment point (71: 1 top left
// to 9 bottom right, row by row), along its direction (11/21) or rotation
// (50, degrees), each line as high as its cell (40), wrapped to the
// reference width (41) where one is given, lines 5/3 of a height apart
// times the spacing factor (44). The text is its chunks (3) followed by its
// last part (1), with the formatting codes taken out.
#include <cstdint>
#include <string>
#include <vector>

#include "base/failures.h"
#include "dxf/text_encoding.h"
#include "render/entity_drawer.h"
#include "render/kinds/placed_text.h"

namespace karvex {

struct MtextRecord {
  float x = 0, y = 0;
  std::optional<float> directionX, directionY;
  float height = 2.5f;
  float referenceWidth = 0;
  float spacingFactor = 1;
  float rotation = 0;  // degrees
  std::int32_t attachment = 1;
  std::string text;
};

// The lines of an MTEXT placed in its own units, and the rotation they are
// drawn at (degrees, within one turn).
struct MtextLayout {
  std::vector<PlacedLine> lines;
  float rotation = 0;
};

MtextLayout LayOutMtext(const MtextRecord& mtext, const TextEncoding& encoding);

template <class In>
MtextRecord ReadMtext(In& in) {
  MtextRecord mtext;
  in.ReadGroups([&](std::int32_t code) {
    const std::string_view value = in.Pairs().GroupValue();
    switch (code) {
      case 1:
      case 3: mtext.text.append(value); return;
      case 71:
        if (const auto number = ParseInteger(value)) mtext.attachment = *number;
        return;
      default: break;
    }
    float* field = nullptr;
    switch (code) {
      case 10: field = &mtext.x; break;
      case 20: field = &mtext.y; break;
      case 40: field = &mtext.height; break;
      case 41: field = &mtext.referenceWidth; break;
      case 44: field = &mtext.spacingFactor; break;
      case 50: field = &mtext.rotation; break;
      case 11: mtext.directionX = FiniteFloat(value); return;
      case 21: mtext.directionY = FiniteFloat(value); return;
      default: return;
    }
    if (const auto real = FiniteFloat(value)) *field = *real;
  });
  return mtext;
}

template <class Sink, class Place, class In>
void DrawMtext(EntityDrawer& walk, const Placement& placement) {
  const MtextRecord mtext = ReadMtext(static_cast<In&>(walk.Input()));
  walk.ApplyStyle();
  const MtextLayout layout = LayOutMtext(mtext, walk.Texts());
  auto& figures = static_cast<Sink&>(walk.Figures());
  const auto& place = static_cast<const Place&>(placement);
  try {
    for (const PlacedLine& line : layout.lines) DrawPlacedLine(figures, place, line, mtext.height, layout.rotation);
  } catch (const Failure&) {
    // A text placed beyond any picture costs only itself.
  }
}

}  // namespace karvex
