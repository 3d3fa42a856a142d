#pragma once
// How the raster picture lays a text out, for the backends that write texts
// as characters (SVG) and must put them where the picture has them.
#include <cstdint>
#include <string>
#include <string_view>

#include "render/font_cell.h"

namespace karvex {

class TextLayout {
 public:
  virtual ~TextLayout() = default;
  // The face's family name, as font choosers know it ("IPAGothic").
  virtual std::string Family() const = 0;
  // The character cell a font height gives, by the platform's height rules.
  virtual FontCell Cell(std::int32_t height) = 0;
  // The whole pixels the characters move the pen along the base line, as
  // the picture draws them at this height and escapement.
  virtual std::int64_t Advance(std::u32string_view characters, std::int32_t height, std::int32_t escapement) = 0;
};

}  // namespace karvex
