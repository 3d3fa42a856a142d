#pragma once
// The groups of an entity that say how it looks rather than where it lies.
// Plain pictures never read them; styled ones resolve them into a pen.
#include <cstdint>
#include <string_view>

namespace karvex {

// Colour numbers with a meaning of their own.
constexpr std::int32_t kColourByBlock = 0;
constexpr std::int32_t kColourByLayer = 256;

struct StyleGroups {
  std::string_view layer;     // group 8; empty: none given (layer "0")
  std::string_view lineType;  // group 6; empty: none given (BYLAYER)
  std::int32_t colourNumber = kColourByLayer;  // group 62
  std::int32_t trueColour = -1;                // group 420 (0x00RRGGBB); -1: none
  float lineTypeScale = 1.0f;                  // group 48
};

}  // namespace karvex
