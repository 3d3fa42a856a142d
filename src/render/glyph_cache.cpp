#include "render/glyph_cache.h"

#include <utility>

namespace karvex {
namespace {

// ppem fits 17 bits and the escapement 12, above the 32-bit glyph index.
std::uint64_t Key(std::int32_t ppem, std::int32_t variant, std::uint32_t glyph) {
  return static_cast<std::uint64_t>(ppem) << 44 | static_cast<std::uint64_t>(variant) << 32 | glyph;
}

}  // namespace

const GlyphImage* GlyphCache::FindImage(std::int32_t ppem, std::int32_t escapement, std::uint32_t glyph) const {
  const auto found = images_.find(Key(ppem, escapement, glyph));
  return found == images_.end() ? nullptr : &found->second;
}

const GlyphImage& GlyphCache::KeepImage(std::int32_t ppem, std::int32_t escapement, std::uint32_t glyph,
                                        GlyphImage image) {
  if (imageBytes_ + image.Bytes() > kImageBudget) {
    images_.clear();
    imageBytes_ = 0;
  }
  imageBytes_ += image.Bytes();
  return images_.insert_or_assign(Key(ppem, escapement, glyph), std::move(image)).first->second;
}

bool GlyphCache::FindAdvance(std::int32_t ppem, bool turned, std::uint32_t glyph, std::int32_t& advance) const {
  const auto found = advances_.find(Key(ppem, turned ? 1 : 0, glyph));
  if (found == advances_.end()) return false;
  advance = found->second;
  return true;
}

void GlyphCache::KeepAdvance(std::int32_t ppem, bool turned, std::uint32_t glyph, std::int32_t advance) {
  if (advances_.size() >= kMostAdvances) advances_.clear();
  advances_[Key(ppem, turned ? 1 : 0, glyph)] = advance;
}

}  // namespace karvex
