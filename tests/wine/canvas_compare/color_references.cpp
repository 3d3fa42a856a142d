#include "color_references.h"

namespace karvex::testing {

std::vector<Color> ColorReferencesToCompare() {
  std::vector<Color> references = {
      // No high byte.
      0x000000, 0x123456, 0xFFFFFF,
      // Bit 24: a palette index in the low word, past the palette's end.
      0x7FFFFFFF, 0x03123456, 0x01000014, 0x01000105, 0x0100FFFF, 0xFF123456, 0xFFFFFFFF,
      // Bit 24 with other bits above the low word: still the low word.
      0x01010005, 0x01FF0005, 0x11FF0003, 0x7F000013,
      // 0x10FF in the high word: a colour-table index.
      0x10FF0003, 0x10FF0000, 0x10FFFFFF,
      // Other high bytes: the low 24 bits.
      0x02FF0000, 0x04FFFFFF, 0x7EFFFFFF, 0x10FE00FF, 0x10000080, 0x20123456, 0x80123456,
  };
  // Every entry of the default palette.
  for (Color index = 0; index < 20; ++index) references.push_back(0x01000000 | index);
  return references;
}

}  // namespace karvex::testing
