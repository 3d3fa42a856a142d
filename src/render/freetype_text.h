#pragma once
// Texts on the raster picture, drawn with FreeType in a Japanese gothic face
// (Debian's IPAGothic, which has the advance widths of the platform's
// "ＭＳ ゴシック") where the platform's text output would put them in that
// face: the same height rules, the same cell corner, the same whole-pixel
// advances, turned by the escapement; without anti-aliasing (or, for smooth
// pictures, blended at the same places), over a transparent background, in
// black unless told another colour. It also tells how it lays texts out, for
// SVG.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "render/antialiasing.h"
#include "render/raster_surface.h"
#include "render/text_decoder.h"
#include "render/text_layout.h"

namespace karvex {

// Where IPAGothic lives on Debian.
constexpr char kIpaGothicPath[] = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

// The font file for texts: $KARVEX_FONT when set and not empty, otherwise
// IPAGothic.
std::string GothicFontPath();

class FreeTypeTextRasterizer final : public TextRasterizer, public TextLayout {
 public:
  // Opens the face once; every text reuses it.
  explicit FreeTypeTextRasterizer(const std::string& fontPath = GothicFontPath(),
                                  Antialiasing antialiasing = Antialiasing::Off);
  ~FreeTypeTextRasterizer() override;
  FreeTypeTextRasterizer(const FreeTypeTextRasterizer&) = delete;
  FreeTypeTextRasterizer& operator=(const FreeTypeTextRasterizer&) = delete;

  // True when texts can be drawn.
  bool Ready() const;
  // Empty when all is well; otherwise a sentence for the user saying what is
  // missing and what texts draw instead.
  const std::string& Problem() const;

  // The decoding of the text bytes from now on: code page 932, as the
  // plug-in's texts, unless another is given here (null goes back to it).
  // decoder is not owned and must outlive its use.
  void UseDecoder(TextDecoder* decoder);

  void DrawText(std::uint8_t* bottomUpRows, std::int32_t width, std::int32_t height, std::int32_t x, std::int32_t y,
                std::string_view text, std::int32_t fontHeight, std::int32_t escapement, Color ink = kBlack) override;

  // The layout of the loaded face (Ready() only).
  std::string Family() const override;
  FontCell Cell(std::int32_t height) override;
  std::int64_t Advance(std::u32string_view characters, std::int32_t height, std::int32_t escapement) override;

 private:
  class Engine;
  std::unique_ptr<Engine> engine_;
};

}  // namespace karvex
