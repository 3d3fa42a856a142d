#include "karvex/trace_surface.h"

#include <string>

#include "render/recording_canvas.h"
#include "render/utf8_encoder.h"

namespace karvex::tools {
namespace {

void AppendEscape(std::string& out, char32_t c) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
  out += escape;
}

// A JSON string of characters: quotes, backslashes and control characters
// escaped, the rest in UTF-8. A surrogate (from a \U+D800 escape) cannot be
// UTF-8 and is written escaped; beyond U+10FFFF is no character.
void AppendJsonString(std::string& out, std::u32string_view characters) {
  out += '"';
  for (char32_t c : characters) {
    if (c == U'"' || c == U'\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
      AppendEscape(out, c);
    } else {
      AppendUtf8(out, c <= 0x10FFFF ? c : U'\uFFFD');
    }
  }
  out += '"';
}

void AppendHex(std::string& out, std::string_view bytes) {
  constexpr char kDigits[] = "0123456789abcdef";
  out += '"';
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
  }
  out += '"';
}

// Records each call (the recording canvas draws it on the real canvas) and
// writes it out at once, so the trace never holds more than one call. Texts
// are written here, decoded as the rasterizer decodes them.
class TracingCanvas final : public Canvas {
 public:
  TracingCanvas(Canvas& drawing, std::FILE* trace, TextDecoder& decoder, bool& failed)
      : drawing_(drawing), recorder_(&drawing), trace_(trace), decoder_(decoder), failed_(failed) {}

  void SetPenColor(Color color) override {
    recorder_.SetPenColor(color);
    Flush();
  }
  void SetPenDashes(std::span<const float> pattern) override {
    recorder_.SetPenDashes(pattern);
    Flush();
  }
  void SetTextColor(Color color) override {
    recorder_.SetTextColor(color);
    Flush();
  }
  void Clear(Color color) override {
    recorder_.Clear(color);
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
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) override {
    recorder_.FillPolygon(points, ringSizes);
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
    // The call is written before it is drawn: a text that fails to draw is
    // still in the trace.
    Write(TextCallJson(x, y, height, escapement, text, decoder_));
    drawing_.Text(x, y, text, height, escapement);
  }

 private:
  void Flush() {
    for (const CanvasCall& call : recorder_.Calls()) Write(ToJson(call));
    recorder_.Clear();
  }
  void Write(std::string line) {
    line += '\n';
    if (std::fwrite(line.data(), 1, line.size(), trace_) != line.size()) failed_ = true;
  }

  Canvas& drawing_;
  RecordingCanvas recorder_;
  std::FILE* trace_;
  TextDecoder& decoder_;
  bool& failed_;
};

class TracingSurface final : public DrawSurface {
 public:
  TracingSurface(std::unique_ptr<DrawSurface> drawing, std::FILE* trace, TextDecoder& decoder, bool& failed)
      : drawing_(std::move(drawing)), canvas_(drawing_->GetCanvas(), trace, decoder, failed) {}
  Canvas& GetCanvas() override { return canvas_; }
  std::int32_t Width() const override { return drawing_->Width(); }
  std::int32_t Height() const override { return drawing_->Height(); }
  const std::uint8_t* BottomUpRows() override { return drawing_->BottomUpRows(); }

 private:
  std::unique_ptr<DrawSurface> drawing_;
  TracingCanvas canvas_;
};

}  // namespace

std::string TextCallJson(std::int32_t x, std::int32_t y, std::int32_t height, std::int32_t escapement,
                         std::string_view bytes, TextDecoder& decoder) {
  std::u32string characters;
  decoder.Decode(bytes, characters);
  std::string line = "{\"op\":\"text\",\"args\":[" + std::to_string(x) + "," + std::to_string(y) + "," +
                     std::to_string(height) + "," + std::to_string(escapement) + "],\"text\":";
  AppendJsonString(line, characters);
  line += ",\"bytes\":";
  AppendHex(line, bytes);
  line += '}';
  return line;
}

std::unique_ptr<DrawSurface> TracingSurfaceFactory::CreateWhite(std::int32_t width, std::int32_t height) {
  return std::make_unique<TracingSurface>(drawing_.CreateWhite(width, height), trace_, decoder_, failed_);
}

}  // namespace karvex::tools
