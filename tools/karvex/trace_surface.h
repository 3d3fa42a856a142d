#pragma once
// --trace: surfaces whose every canvas call is written as a line of JSON
// before it is drawn, so a person can see exactly what a drawing draws.
#include <cstdio>
#include <memory>

#include "render/draw_surface.h"

namespace karvex::tools {

class TracingSurfaceFactory final : public SurfaceFactory {
 public:
  // Neither is owned; both outlive the factory and its surfaces.
  TracingSurfaceFactory(SurfaceFactory& drawing, std::FILE* trace) : drawing_(drawing), trace_(trace) {}
  std::unique_ptr<DrawSurface> CreateWhite(std::int32_t width, std::int32_t height) override;

  // False once a write to the trace failed.
  bool WritesSucceeded() const { return !failed_; }

 private:
  SurfaceFactory& drawing_;
  std::FILE* trace_;
  bool failed_ = false;
};

}  // namespace karvex::tools
