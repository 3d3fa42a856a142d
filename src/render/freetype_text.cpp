#include "render/freetype_text.h"

#include <ft2build.h>
#include FT_TRIGONOMETRY_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "render/cp932_decoder.h"
#include "render/draw_surface.h"
#include "render/freetype_face.h"
#include "render/glyph_cache.h"
#include "render/glyph_image.h"

namespace karvex {
namespace {

constexpr std::int32_t kFullTurn = 3600;  // tenths of a degree
constexpr double kPi = 3.14159265358979323846;
// Glyphs up to this size are rendered whole and kept; bigger ones are
// rendered afresh each time, and only the part that lands on the picture.
constexpr std::int32_t kLargestKeptPpem = 256;
// Pixels that grid-fitting may add around a glyph's scaled outline.
constexpr std::int64_t kHintingSlack = 4;

std::int32_t NormalEscapement(std::int32_t escapement) {
  const std::int32_t turn = escapement % kFullTurn;
  return turn < 0 ? turn + kFullTurn : turn;
}

// The base line's direction on the picture: (cos, -sin) in rows that grow
// downwards.
struct Direction {
  double cos = 1;
  double sin = 0;
};

Direction DirectionOf(std::int32_t escapement) {
  if (escapement == 0) return {};
  const double angle = escapement * kPi / 1800;
  return {std::cos(angle), std::sin(angle)};
}

// The glyphs' own turn, counter-clockwise in glyph space (y up).
FT_Matrix RotationOf(std::int32_t escapement) {
  FT_Vector unit;
  FT_Vector_Unit(&unit, static_cast<FT_Angle>((static_cast<FT_Fixed>(escapement) << 16) / 10));
  return {unit.x, -unit.y, unit.y, unit.x};
}

std::int64_t ScaledUp(std::int64_t fontUnits, std::int32_t ppem, std::int32_t unitsPerEm) {
  return (fontUnits * ppem + unitsPerEm - 1) / unitsPerEm;
}

// The pen distances along the base line at which a glyph origin comes within
// reach pixels of the picture. first > last when it never does.
struct PenRange {
  double first = 0;
  double last = std::numeric_limits<double>::infinity();
  bool Empty() const { return first > last; }
};

void LimitBySlab(PenRange& range, double start, double step, double low, double high) {
  if (std::abs(step) < 1e-12) {
    if (start < low || start > high) range.first = std::numeric_limits<double>::infinity();
    return;
  }
  double a = (low - start) / step;
  double b = (high - start) / step;
  if (a > b) std::swap(a, b);
  range.first = std::max(range.first, a);
  range.last = std::min(range.last, b);
}

PenRange VisiblePens(double originX, double originY, const Direction& direction, double reach,
                     const BottomUpPicture& picture) {
  PenRange range;
  // One pixel more: the origins' offsets are whole pixels cut from exact ones.
  const double margin = reach + 1;
  LimitBySlab(range, originX, direction.cos, -margin, picture.width + margin);
  LimitBySlab(range, originY, -direction.sin, -margin, picture.height + margin);
  return range;
}

std::string ProblemSentence(const std::string& why) {
  return "texts are left out: " + why +
         " (install fonts-ipafont-gothic, or set KARVEX_FONT to a Japanese gothic TrueType font)";
}

}  // namespace

std::string GothicFontPath() {
  const char* chosen = std::getenv("KARVEX_FONT");
  if (chosen != nullptr && *chosen != '\0') return chosen;
  return kIpaGothicPath;
}

class FreeTypeTextRasterizer::Engine {
 public:
  Engine(const std::string& fontPath, Antialiasing antialiasing) : face_(fontPath), antialiasing_(antialiasing) {
    if (!face_.Loaded()) {
      problem_ = ProblemSentence(face_.Problem());
    } else if (!cp932_.ConvertsDoubleBytes()) {
      problem_ = "the C library has no CP932 converter: Japanese characters draw as \xE3\x83\xBB";
    }
  }

  bool Ready() const { return face_.Loaded(); }
  const std::string& Problem() const { return problem_; }
  void UseDecoder(TextDecoder* decoder) { decoder_ = decoder != nullptr ? decoder : &cp932_; }

  void Draw(const BottomUpPicture& picture, std::int32_t x, std::int32_t y, std::string_view text,
            std::int32_t fontHeight, std::int32_t escapement, Color ink);

  std::string Family() const { return face_.Family(); }
  FontCell Cell(std::int32_t fontHeight) const { return CellForHeight(face_.Metrics(), fontHeight); }
  std::int64_t Advance(std::u32string_view characters, std::int32_t fontHeight, std::int32_t escapement);

 private:
  // What one text needs to place and draw its glyphs.
  struct Setting {
    FontCell cell;
    std::int32_t escapement = 0;
    FT_Matrix rotation{};
    const FT_Matrix* turn = nullptr;  // null when not turned
    Color ink = kBlack;
  };

  // Fills a setting in place: its turn points into it.
  void Prepare(Setting& setting, std::int32_t fontHeight, std::int32_t escapement) const;

  // Draws one glyph with its origin at (originX, originY) when draw is set;
  // returns its advance either way.
  std::int32_t Glyph(const BottomUpPicture& picture, const Setting& setting, std::uint32_t glyph, bool draw,
                     std::int64_t originX, std::int64_t originY);
  std::int32_t AdvanceOf(const Setting& setting, std::uint32_t glyph, FT_GlyphSlot slot);
  // The glyph to render, laidOut being it as loaded for its advance: the
  // same one for hard edges; for smooth ones loaded again, hinted for grey
  // output, so that its shape is smooth while its place stays the same.
  FT_GlyphSlot ShapeOf(std::uint32_t glyph, bool turned, FT_GlyphSlot laidOut);

  FreeTypeFace face_;
  Antialiasing antialiasing_;
  Cp932Decoder cp932_;
  TextDecoder* decoder_ = &cp932_;
  GlyphCache cache_;
  std::u32string characters_;
  std::string problem_;
};

void FreeTypeTextRasterizer::Engine::Draw(const BottomUpPicture& picture, std::int32_t x, std::int32_t y,
                                          std::string_view text, std::int32_t fontHeight,
                                          std::int32_t escapement, Color ink) {
  if (text.empty() || picture.width <= 0 || picture.height <= 0) return;
  if (!face_.Loaded()) return;
  Setting setting;
  Prepare(setting, fontHeight, escapement);
  setting.ink = ink;
  const FontCell& cell = setting.cell;
  const Direction direction = DirectionOf(setting.escapement);
  const std::int32_t unitsPerEm = face_.Metrics().unitsPerEm;

  // (x, y) is the cell's top-left corner; the first glyph's origin lies one
  // ascent down from it, across the base line.
  const std::int64_t originX = x + static_cast<std::int64_t>(std::floor(cell.ascent * direction.sin));
  const std::int64_t originY = y + static_cast<std::int64_t>(std::floor(cell.ascent * direction.cos));

  // Bound the work to what can land on the picture: glyph origins further
  // than reach from it cannot, nor can any origin beyond the whole text's
  // greatest length.
  const double reach = static_cast<double>(ScaledUp(face_.GlyphReach(), cell.ppem, unitsPerEm) +
                                           std::max(cell.ascent, cell.descent) + kHintingSlack);
  const PenRange visible = VisiblePens(static_cast<double>(originX), static_cast<double>(originY), direction, reach,
                                       picture);
  const double longest = static_cast<double>(text.size()) *
                         static_cast<double>(ScaledUp(face_.MaxAdvance(), cell.ppem, unitsPerEm) + kHintingSlack);
  if (visible.Empty() || visible.first > longest) return;
  if (!face_.UseSize(cell.ppem)) return;

  decoder_->Decode(text, characters_);
  std::int64_t pen = 0;
  for (const char32_t character : characters_) {
    if (static_cast<double>(pen) > visible.last) break;
    // Each origin is the cell corner's origin plus the pen distance turned,
    // its fractions dropped, so repeated glyphs keep one shape.
    const auto alongX = static_cast<std::int64_t>(std::trunc(direction.cos * static_cast<double>(pen)));
    const auto alongY = static_cast<std::int64_t>(std::trunc(-direction.sin * static_cast<double>(pen)));
    const bool draw = static_cast<double>(pen) >= visible.first;
    pen += Glyph(picture, setting, face_.GlyphIndex(character), draw, originX + alongX, originY + alongY);
  }
}

void FreeTypeTextRasterizer::Engine::Prepare(Setting& setting, std::int32_t fontHeight,
                                             std::int32_t escapement) const {
  setting.cell = CellForHeight(face_.Metrics(), fontHeight);
  setting.escapement = NormalEscapement(escapement);
  if (setting.escapement != 0) {
    setting.rotation = RotationOf(setting.escapement);
    setting.turn = &setting.rotation;
  }
}

std::int64_t FreeTypeTextRasterizer::Engine::Advance(std::u32string_view characters, std::int32_t fontHeight,
                                                     std::int32_t escapement) {
  if (!face_.Loaded()) return 0;
  Setting setting;
  Prepare(setting, fontHeight, escapement);
  if (!face_.UseSize(setting.cell.ppem)) return 0;
  const BottomUpPicture nowhere{};
  std::int64_t pen = 0;
  for (const char32_t character : characters) pen += Glyph(nowhere, setting, face_.GlyphIndex(character), false, 0, 0);
  return pen;
}

std::int32_t FreeTypeTextRasterizer::Engine::AdvanceOf(const Setting& setting, std::uint32_t glyph,
                                                       FT_GlyphSlot slot) {
  const bool turned = setting.turn != nullptr;
  const std::int32_t advance = AdvanceInPixels(face_.Metrics(), setting.cell, slot->metrics.horiAdvance);
  cache_.KeepAdvance(setting.cell.ppem, turned, glyph, advance);
  return advance;
}

std::int32_t FreeTypeTextRasterizer::Engine::Glyph(const BottomUpPicture& picture, const Setting& setting,
                                                   std::uint32_t glyph, bool draw, std::int64_t originX,
                                                   std::int64_t originY) {
  const std::int32_t ppem = setting.cell.ppem;
  const bool turned = setting.turn != nullptr;
  std::int32_t advance = 0;
  const bool advanceKept = cache_.FindAdvance(ppem, turned, glyph, advance);
  if (!draw && advanceKept) return advance;

  if (draw && ppem <= kLargestKeptPpem) {
    const GlyphImage* image = cache_.FindImage(ppem, setting.escapement, glyph);
    if (image == nullptr || !advanceKept) {
      FT_GlyphSlot slot = face_.LoadGlyph(glyph, !turned);
      if (slot == nullptr) return 0;
      advance = AdvanceOf(setting, glyph, slot);
      slot = ShapeOf(glyph, turned, slot);
      if (slot == nullptr) return advance;
      const GlyphBox box = InkBox(slot, setting.cell, setting.turn);
      image = &cache_.KeepImage(ppem, setting.escapement, glyph,
                                RenderGlyph(face_.Library(), slot, setting.turn, box, antialiasing_));
    }
    PaintGlyph(picture, *image, originX, originY, setting.ink);
    return advance;
  }

  FT_GlyphSlot slot = face_.LoadGlyph(glyph, !turned);
  if (slot == nullptr) return 0;
  advance = AdvanceOf(setting, glyph, slot);
  if (!draw) return advance;
  slot = ShapeOf(glyph, turned, slot);
  if (slot == nullptr) return advance;
  // A big glyph: render only the part over the picture.
  const GlyphBox onPicture{-originX, -originY, picture.width - originX, picture.height - originY};
  const GlyphBox window = InkBox(slot, setting.cell, setting.turn).Intersection(onPicture);
  if (!window.Empty()) {
    PaintGlyph(picture, RenderGlyph(face_.Library(), slot, setting.turn, window, antialiasing_), originX, originY,
               setting.ink);
  }
  return advance;
}

FT_GlyphSlot FreeTypeTextRasterizer::Engine::ShapeOf(std::uint32_t glyph, bool turned, FT_GlyphSlot laidOut) {
  if (antialiasing_ == Antialiasing::Off) return laidOut;
  return face_.LoadGlyph(glyph, !turned, Antialiasing::On);
}

FreeTypeTextRasterizer::FreeTypeTextRasterizer(const std::string& fontPath, Antialiasing antialiasing)
    : engine_(std::make_unique<Engine>(fontPath, antialiasing)) {}

FreeTypeTextRasterizer::~FreeTypeTextRasterizer() = default;

bool FreeTypeTextRasterizer::Ready() const { return engine_->Ready(); }
const std::string& FreeTypeTextRasterizer::Problem() const { return engine_->Problem(); }
void FreeTypeTextRasterizer::UseDecoder(TextDecoder* decoder) { engine_->UseDecoder(decoder); }

std::string FreeTypeTextRasterizer::Family() const { return engine_->Family(); }
FontCell FreeTypeTextRasterizer::Cell(std::int32_t height) { return engine_->Cell(height); }
std::int64_t FreeTypeTextRasterizer::Advance(std::u32string_view characters, std::int32_t height,
                                             std::int32_t escapement) {
  return engine_->Advance(characters, height, escapement);
}

void FreeTypeTextRasterizer::DrawText(std::uint8_t* bottomUpRows, std::int32_t width, std::int32_t height,
                                      std::int32_t x, std::int32_t y, std::string_view text, std::int32_t fontHeight,
                                      std::int32_t escapement, Color ink) {
  const BottomUpPicture picture{bottomUpRows, width, height, static_cast<std::size_t>(RowStride(width))};
  engine_->Draw(picture, x, y, text, fontHeight, escapement, ink);
}

}  // namespace karvex
