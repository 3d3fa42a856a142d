#include "karvex/svg_surface.h"

namespace karvex::tools {
namespace {

// Every call drawn on the picture, then written to the document: a text the
// picture fails to draw is left out of both.
class PictureAndDocument final : public Canvas {
 public:
  PictureAndDocument(Canvas& picture, SvgCanvas& document) : picture_(picture), document_(document) {}

  void SetPenColor(Color color) override {
    picture_.SetPenColor(color);
    document_.SetPenColor(color);
  }
  void SetPenDashes(std::span<const float> pattern) override {
    picture_.SetPenDashes(pattern);
    document_.SetPenDashes(pattern);
  }
  void SetTextColor(Color color) override {
    picture_.SetTextColor(color);
    document_.SetTextColor(color);
  }
  void Clear(Color color) override {
    picture_.Clear(color);
    document_.Clear(color);
  }
  void SetHollowBrush() override {
    picture_.SetHollowBrush();
    document_.SetHollowBrush();
  }
  void MoveTo(std::int32_t x, std::int32_t y) override {
    picture_.MoveTo(x, y);
    document_.MoveTo(x, y);
  }
  void LineTo(std::int32_t x, std::int32_t y) override {
    picture_.LineTo(x, y);
    document_.LineTo(x, y);
  }
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override {
    picture_.Ellipse(left, top, right, bottom);
    document_.Ellipse(left, top, right, bottom);
  }
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override {
    picture_.Arc(left, top, right, bottom, startX, startY, endX, endY);
    document_.Arc(left, top, right, bottom, startX, startY, endX, endY);
  }
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override {
    picture_.SetPixel(x, y, color);
    document_.SetPixel(x, y, color);
  }
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) override {
    picture_.FillPolygon(points, ringSizes);
    document_.FillPolygon(points, ringSizes);
  }
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override {
    picture_.Text(x, y, text, height, escapement);
    document_.Text(x, y, text, height, escapement);
  }

 private:
  Canvas& picture_;
  SvgCanvas& document_;
};

class PictureAndDocumentSurface final : public DrawSurface {
 public:
  PictureAndDocumentSurface(std::unique_ptr<DrawSurface> picture, SvgCanvas& document)
      : picture_(std::move(picture)), canvas_(picture_->GetCanvas(), document) {}
  Canvas& GetCanvas() override { return canvas_; }
  std::int32_t Width() const override { return picture_->Width(); }
  std::int32_t Height() const override { return picture_->Height(); }
  const std::uint8_t* BottomUpRows() override { return picture_->BottomUpRows(); }

 private:
  std::unique_ptr<DrawSurface> picture_;
  PictureAndDocument canvas_;
};

}  // namespace

SvgSurfaceFactory::~SvgSurfaceFactory() = default;

std::unique_ptr<DrawSurface> SvgSurfaceFactory::CreateWhite(std::int32_t width, std::int32_t height) {
  std::unique_ptr<DrawSurface> picture = drawing_.CreateWhite(width, height);
  document_ = std::make_unique<SvgCanvas>(svg_, width, height, kWhite, decoder_, layout_);
  return std::make_unique<PictureAndDocumentSurface>(std::move(picture), *document_);
}

bool SvgSurfaceFactory::Finish() { return document_ == nullptr || document_->Finish(); }

}  // namespace karvex::tools
