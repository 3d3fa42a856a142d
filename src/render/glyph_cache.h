#pragma once
// Rendered glyphs and advances kept between texts. The cache only saves
// work: what a text draws is the same whether its glyphs were kept or not.
#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "render/glyph_image.h"

namespace karvex {

class GlyphCache {
 public:
  // Kept images may take this many bytes; past it the cache starts afresh.
  static constexpr std::size_t kImageBudget = 16u << 20;
  static constexpr std::size_t kMostAdvances = 1u << 20;

  // Images depend on the size, the turn and the glyph.
  const GlyphImage* FindImage(std::int32_t ppem, std::int32_t escapement, std::uint32_t glyph) const;
  const GlyphImage& KeepImage(std::int32_t ppem, std::int32_t escapement, std::uint32_t glyph, GlyphImage image);

  // Advances depend on the size and the glyph, and on whether the glyph was
  // loaded for turned text (which never uses embedded bitmaps).
  bool FindAdvance(std::int32_t ppem, bool turned, std::uint32_t glyph, std::int32_t& advance) const;
  void KeepAdvance(std::int32_t ppem, bool turned, std::uint32_t glyph, std::int32_t advance);

 private:
  std::unordered_map<std::uint64_t, GlyphImage> images_;
  std::size_t imageBytes_ = 0;
  std::unordered_map<std::uint64_t, std::int32_t> advances_;
};

}  // namespace karvex
