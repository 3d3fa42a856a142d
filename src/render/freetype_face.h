#pragma once
// One font file opened with FreeType for the raster backend's texts: the face,
// the metrics the sizing rules read, and its sizes, which are kept once made
// so that going back to a size costs nothing.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <list>
#include <string>
#include <utility>

#include "render/antialiasing.h"
#include "render/font_cell.h"

namespace karvex {

class FreeTypeFace {
 public:
  // Opens the file; Problem() says why when it could not.
  explicit FreeTypeFace(const std::string& path);
  ~FreeTypeFace();
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  bool Loaded() const { return face_ != nullptr; }
  // The face's family name ("IPAGothic"); empty when not loaded.
  std::string Family() const;
  // Empty when loaded.
  const std::string& Problem() const { return problem_; }
  const FaceMetrics& Metrics() const { return metrics_; }
  // The face's widest extent from a glyph origin along the base line, and its
  // widest advance, in font units: bounds for what a glyph can cover.
  std::int32_t GlyphReach() const { return glyphReach_; }
  std::int32_t MaxAdvance() const { return maxAdvance_; }

  // 0, the face's missing-glyph shape, for a character it does not have.
  std::uint32_t GlyphIndex(char32_t character) const;

  // Loads glyphs at ppem pixels per em from now on. False if FreeType refused
  // the size.
  bool UseSize(std::int32_t ppem);

  // Loads a glyph at the current size, grid-fitted for monochrome output
  // (or, with Antialiasing::On, lightly, for grey output). Embedded bitmaps
  // only when allowed (never for turned text). Null when the glyph cannot be
  // loaded.
  FT_GlyphSlot LoadGlyph(std::uint32_t glyph, bool allowBitmap, Antialiasing output = Antialiasing::Off);

  FT_Library Library() const { return library_; }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  std::string problem_;
  FaceMetrics metrics_;
  std::int32_t glyphReach_ = 0;
  std::int32_t maxAdvance_ = 0;
  // Most recently used first.
  std::list<std::pair<std::int32_t, FT_Size>> sizes_;
};

}  // namespace karvex
