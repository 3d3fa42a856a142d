#pragma once
// -o plan.svg: surfaces that draw the picture as usual and write every
// drawing call into an SVG document as it comes, so that the document is
// never held. The picture is still drawn: it tells whether anything landed
// on it (a blank picture is said, or refused, as for PNG).
#include <cstdio>
#include <memory>

#include "render/draw_surface.h"
#include "render/svg_canvas.h"
#include "render/text_decoder.h"
#include "render/text_layout.h"

namespace karvex::tools {

class SvgSurfaceFactory final : public SurfaceFactory {
 public:
  // For one picture. None is owned; all outlive the factory and its
  // surface. layout null: texts are left out.
  SvgSurfaceFactory(SurfaceFactory& drawing, std::FILE* svg, TextDecoder& decoder, TextLayout* layout)
      : drawing_(drawing), svg_(svg), decoder_(decoder), layout_(layout) {}
  ~SvgSurfaceFactory() override;

  // Starts the document.
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) override;

  // Ends the document once drawing is done. False when a write failed.
  bool Finish();

 private:
  SurfaceFactory& drawing_;
  std::FILE* svg_;
  TextDecoder& decoder_;
  TextLayout* layout_;
  std::unique_ptr<SvgCanvas> document_;
};

}  // namespace karvex::tools
