#pragma once
// One glyph as an image placed about its origin on the base line (1 bit a
// pixel, or a grey coverage byte a pixel for smooth pictures), how it is
// rendered from a loaded FreeType glyph, and how it is set on the picture.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/antialiasing.h"
#include "render/canvas.h"
#include "render/font_cell.h"

namespace karvex {

// Device pixels relative to a glyph origin (rows grow downwards); right and
// bottom are exclusive.
struct GlyphBox {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  GlyphBox Intersection(const GlyphBox& other) const;
};

struct GlyphImage {
  std::int32_t left = 0;  // columns from the glyph origin to the first column
  std::int32_t top = 0;   // rows from the glyph origin to the first row; negative above the base line
  std::int32_t width = 0;
  std::int32_t rows = 0;
  std::int32_t pitch = 0;          // bytes a row
  bool grey = false;               // a coverage byte (0 to 255) a pixel instead of a bit
  std::vector<std::uint8_t> bits;  // first row at the top, leftmost pixel in the high bit
  std::size_t Bytes() const { return bits.size(); }
};

// The pixels a loaded glyph may set: its grid-fitted box, cut to the rows of
// the character cell as the platform cuts it, turned by rotation (null: not
// turned), widened to whole pixels.
GlyphBox InkBox(const FT_GlyphSlot slot, const FontCell& cell, const FT_Matrix* rotation);

// Renders the part of the loaded glyph inside window (part of its InkBox) in
// black and white, or in grey for Antialiasing::On (an embedded bitmap stays
// black and white). Turns and moves the slot's outline.
GlyphImage RenderGlyph(FT_Library library, FT_GlyphSlot slot, const FT_Matrix* rotation, const GlyphBox& window,
                       Antialiasing antialiasing = Antialiasing::Off);

// The picture a text draws on: bottom-up 24-bit rows.
struct BottomUpPicture {
  std::uint8_t* rows = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::size_t stride = 0;
};

// Sets the image's pixels to ink with the glyph origin at (originX,
// originY), a grey image's blended by their coverage, leaving everything
// else as it was; what falls outside the picture is cut.
void PaintGlyph(const BottomUpPicture& picture, const GlyphImage& image, std::int64_t originX, std::int64_t originY,
                Color ink);

}  // namespace karvex
