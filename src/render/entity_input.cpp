#include "render/entity_input.h"

#include <optional>

#include "dxf/number_conversion.h"

namespace karvex {

void EntityInput::TakeSolidColourNumber() {
  if (lineColours_) return;
  figures_.SetPenColor(ColorFromNumber(ConvertInteger(pairs_.GroupValue())));
}

void StyledEntityInput::ReadCoordinates(const CoordinateFields& fields, float* values) {
  ReadGroups([&](std::int32_t code) {
    const int field = CoordinateFieldOf(fields, code);
    if (field >= 0) values[field] = pairs_.GroupValueAsFloat();
  });
}

void StyledEntityInput::TakeStyleGroup() {
  switch (pairs_.GroupCode()) {
    case 6: style_.lineType = pairs_.GroupValue(); break;
    case 8: style_.layer = pairs_.GroupValue(); break;
    case 62:
      if (const std::optional<std::int32_t> number = ParseInteger(pairs_.GroupValue())) style_.colourNumber = *number;
      break;
    case 420:
      if (const std::optional<std::int32_t> rgb = ParseInteger(pairs_.GroupValue())) style_.trueColour = *rgb & 0xFFFFFF;
      break;
    case 48:
      try {
        style_.lineTypeScale = pairs_.GroupValueAsFloat();
      } catch (...) {
        // An unreadable scale draws at the drawing's own.
      }
      break;
    default: break;
  }
}

Color ColorFromNumber(std::int32_t number) {
  if (number < 0) return kBlack;
  return static_cast<Color>(number);
}

}  // namespace karvex
