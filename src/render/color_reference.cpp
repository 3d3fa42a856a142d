#include "render/color_reference.h"

#include <array>
#include <cstdint>

namespace karvex {
namespace {

// The default palette that a memory device context starts with: the
// sixteen VGA colours and four of the system's own, as 0x00BBGGRR.
constexpr std::array<Color, 20> kDefaultPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6,
    0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

constexpr Color kPaletteIndexFlag = 0x01000000;
constexpr Color kColorTableIndexWord = 0x10FF;

}  // namespace

Color ResolveColorReference(Color reference) {
  if ((reference & kPaletteIndexFlag) != 0) {
    const std::uint32_t index = reference & 0xFFFFu;
    return index < kDefaultPalette.size() ? kDefaultPalette[index] : kDefaultPalette[0];
  }
  if (reference >> 16 == kColorTableIndexWord) return kBlack;
  return reference & 0x00FFFFFFu;
}

}  // namespace karvex
