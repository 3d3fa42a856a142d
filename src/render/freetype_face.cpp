#include "render/freetype_face.h"

#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace karvex {
namespace {

// Sizes kept at once; each holds the face's scaled hinting tables.
constexpr std::size_t kKeptSizes = 16;
constexpr FT_Byte kMonospacedProportion = 9;  // PANOSE proportion "monospaced"

std::string Unreadable(const std::string& path) {
  std::ifstream probe(path, std::ios::binary);
  if (!probe) return "cannot open " + path + ": " + std::strerror(errno);
  return path + " is not a font FreeType can read";
}

}  // namespace

FreeTypeFace::FreeTypeFace(const std::string& path) {
  if (FT_Init_FreeType(&library_) != 0) {
    library_ = nullptr;
    problem_ = "FreeType could not start";
    return;
  }
  if (path.empty()) {
    problem_ = "no font file named";
    return;
  }
  if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) {
    face_ = nullptr;
    problem_ = Unreadable(path);
    return;
  }
  if (!FT_IS_SCALABLE(face_) || FT_Select_Charmap(face_, FT_ENCODING_UNICODE) != 0) {
    FT_Done_Face(face_);
    face_ = nullptr;
    problem_ = path + " is not a scalable font with a Unicode character map";
    return;
  }
  metrics_.unitsPerEm = face_->units_per_EM;
  metrics_.hheaAscender = face_->ascender;
  metrics_.hheaDescender = face_->descender;
  metrics_.fixedPitch = FT_IS_FIXED_WIDTH(face_);
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
    metrics_.winAscent = os2->usWinAscent;
    // Some fonts store a signed descent in this unsigned field.
    metrics_.winDescent = std::abs(static_cast<FT_Short>(os2->usWinDescent));
    metrics_.averageWidth = os2->xAvgCharWidth;
    if (os2->version != 0xFFFF && os2->panose[3] == kMonospacedProportion) metrics_.fixedPitch = true;
  }
  const FT_BBox& box = face_->bbox;
  glyphReach_ = static_cast<std::int32_t>(std::max({std::labs(box.xMin), std::labs(box.xMax), std::labs(box.yMin),
                                                    std::labs(box.yMax), static_cast<long>(face_->units_per_EM)}));
  maxAdvance_ = std::max<std::int32_t>(face_->max_advance_width, face_->units_per_EM);
}

FreeTypeFace::~FreeTypeFace() {
  // The face releases its sizes with it.
  if (face_ != nullptr) FT_Done_Face(face_);
  if (library_ != nullptr) FT_Done_FreeType(library_);
}

std::string FreeTypeFace::Family() const {
  return face_ != nullptr && face_->family_name != nullptr ? face_->family_name : "";
}

std::uint32_t FreeTypeFace::GlyphIndex(char32_t character) const {
  return face_ == nullptr ? 0 : FT_Get_Char_Index(face_, character);
}

bool FreeTypeFace::UseSize(std::int32_t ppem) {
  if (face_ == nullptr) return false;
  auto kept = std::find_if(sizes_.begin(), sizes_.end(), [&](const auto& entry) { return entry.first == ppem; });
  if (kept != sizes_.end()) {
    sizes_.splice(sizes_.begin(), sizes_, kept);
    return FT_Activate_Size(kept->second) == 0;
  }
  if (sizes_.size() >= kKeptSizes) {
    FT_Done_Size(sizes_.back().second);
    sizes_.pop_back();
  }
  FT_Size size = nullptr;
  if (FT_New_Size(face_, &size) != 0) return false;
  if (FT_Activate_Size(size) != 0 || FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(ppem)) != 0) {
    FT_Done_Size(size);
    return false;
  }
  sizes_.emplace_front(ppem, size);
  return true;
}

FT_GlyphSlot FreeTypeFace::LoadGlyph(std::uint32_t glyph, bool allowBitmap, Antialiasing output) {
  if (face_ == nullptr) return nullptr;
  FT_Int32 flags = (output == Antialiasing::On ? FT_LOAD_TARGET_LIGHT : FT_LOAD_TARGET_MONO) |
                   FT_LOAD_IGNORE_GLOBAL_ADVANCE_WIDTH;
  if (!allowBitmap) flags |= FT_LOAD_NO_BITMAP;
  // A glyph whose hinting program fails is drawn from its plain outline.
  if (FT_Load_Glyph(face_, glyph, flags) != 0 && FT_Load_Glyph(face_, glyph, flags | FT_LOAD_NO_HINTING) != 0) {
    return nullptr;
  }
  return face_->glyph;
}

}  // namespace karvex
