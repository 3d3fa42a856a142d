#pragma once
// --trace: surfaces whose every canvas call is written as a line of JSON
// before it is drawn, so a person can see exactly what a drawing draws.
// A text is written as the drawing decodes it, in UTF-8, with its bytes as
// read beside it in hexadecimal:
//   {"op":"text","args":[x,y,height,escapement],"text":"日本B","bytes":"93fa967b42"}
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "render/draw_surface.h"
#include "render/text_decoder.h"

namespace karvex::tools {

// One text call's line, without its line end.
std::string TextCallJson(std::int32_t x, std::int32_t y, std::int32_t height, std::int32_t escapement,
                         std::string_view bytes, TextDecoder& decoder);

class TracingSurfaceFactory final : public SurfaceFactory {
 public:
  // None is owned; all outlive the factory and its surfaces. decoder turns
  // texts into characters as they are drawn.
  TracingSurfaceFactory(SurfaceFactory& drawing, std::FILE* trace, TextDecoder& decoder)
      : drawing_(drawing), trace_(trace), decoder_(decoder) {}
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) override;

  // False once a write to the trace failed.
  bool WritesSucceeded() const { return !failed_; }

 private:
  SurfaceFactory& drawing_;
  std::FILE* trace_;
  TextDecoder& decoder_;
  bool failed_ = false;
};

}  // namespace karvex::tools
