#include "karvex/trace_surface.h"

#include <string>

#include "render/recording_canvas.h"

namespace karvex::tools {
namespace {

// Records each call (the recording canvas draws it on the real canvas) and
// writes it out at once, so the trace never holds more than one call.
class TracingCanvas final : public Canvas {
 public:
  TracingCanvas(Canvas& drawing, std::FILE* trace, bool& failed)
      : recorder_(&drawing), trace_(trace), failed_(failed) {}

  void SetPenColor(Color color) override {
    recorder_.SetPenColor(color);
    Flush();
  }
  void SetHollowBrush() override {
    recorder_.SetHollowBrush();
    Flush();
  }
  void MoveTo(std::int32_t x, std::int32_t y) override {
    recorder_.MoveTo(x, y);
    Flush();
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    recorder_.LineTo(x, y);
    Flush();
  }
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override {
    recorder_.Ellipse(left, top, right, bottom);
    Flush();
  }
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override {
    recorder_.Arc(left, top, right, bottom, startX, startY, endX, endY);
    Flush();
  }
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override {
    recorder_.SetPixel(x, y, color);
    Flush();
  }
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override {
    // The call is recorded before it is drawn: a text that fails to draw is
    // still in the trace.
    try {
      recorder_.Text(x, y, text, height, escapement);
    } catch (...) {
      Flush();
      throw;
    }
    Flush();
  }

 private:
  void Flush() {
    for (const CanvasCall& call : recorder_.Calls()) {
      const std::string line = ToJson(call) + "\n";
      if (std::fwrite(line.data(), 1, line.size(), trace_) != line.size()) failed_ = true;
    }
    recorder_.Clear();
  }

  RecordingCanvas recorder_;
  std::FILE* trace_;
  bool& failed_;
};

class TracingSurface final : public DrawSurface {
 public:
  TracingSurface(std::unique_ptr<DrawSurface> drawing, std::FILE* trace, bool& failed)
      : drawing_(std::move(drawing)), canvas_(drawing_->GetCanvas(), trace, failed) {}
  Canvas& GetCanvas() override { return canvas_; }
  std::int32_t Width() const override { return drawing_->Width(); }
  std::int32_t Height() const override { return drawing_->Height(); }
  const std::uint8_t* BottomUpRows() override { return drawing_->BottomUpRows(); }

 private:
  std::unique_ptr<DrawSurface> drawing_;
  TracingCanvas canvas_;
};

}  // namespace

std::unique_ptr<DrawSurface> TracingSurfaceFactory::CreateWhite(std::int32_t width, std::int32_t height) {
  return std::make_unique<TracingSurface>(drawing_.CreateWhite(width, height), trace_, failed_);
}

}  // namespace karvex::tools
