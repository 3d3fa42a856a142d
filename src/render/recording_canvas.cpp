#include "render/recording_canvas.h"

#include <cmath>
#include <cstdio>

namespace karvex {

const char* KindName(CanvasCall::Kind kind) {
  switch (kind) {
    case CanvasCall::Kind::PenColor: return "pen";
    case CanvasCall::Kind::HollowBrush: return "hollow_brush";
    case CanvasCall::Kind::MoveTo: return "move";
    case CanvasCall::Kind::LineTo: return "line";
    case CanvasCall::Kind::Ellipse: return "ellipse";
    case CanvasCall::Kind::Arc: return "arc";
    case CanvasCall::Kind::Pixel: return "pixel";
    case CanvasCall::Kind::Text: return "text";
    case CanvasCall::Kind::PenDashes: return "dashes";
    case CanvasCall::Kind::TextColor: return "text_color";
    case CanvasCall::Kind::Clear: return "clear";
    case CanvasCall::Kind::FillPolygon: return "fill";
  }
  return "?";
}

std::string ToString(const CanvasCall& call) {
  std::string out = KindName(call.kind);
  for (std::int64_t arg : call.args) {
    out += ' ';
    out += std::to_string(arg);
  }
  if (call.kind == CanvasCall::Kind::Text) {
    out += " \"";
    out += call.text;
    out += '"';
  }
  return out;
}

std::string ToJson(const CanvasCall& call) {
  std::string out = "{\"op\":\"";
  out += KindName(call.kind);
  out += "\",\"args\":[";
  for (std::size_t i = 0; i < call.args.size(); ++i) {
    if (i > 0) out += ',';
    out += std::to_string(call.args[i]);
  }
  out += ']';
  if (call.kind == CanvasCall::Kind::Text) {
    out += ",\"text\":\"";
    for (char c : call.text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte == '"' || byte == '\\') {
        out += '\\';
        out += c;
      } else if (byte < 0x20 || byte >= 0x7F) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", byte);
        out += escape;
      } else {
        out += c;
      }
    }
    out += '"';
  }
  out += '}';
  return out;
}

void RecordingCanvas::Record(CanvasCall::Kind kind, std::vector<std::int64_t> args, std::string text) {
  calls_.push_back(CanvasCall{kind, std::move(args), std::move(text)});
}

void RecordingCanvas::SetPenColor(Color color) {
  Record(CanvasCall::Kind::PenColor, {color});
  if (next_ != nullptr) next_->SetPenColor(color);
}

void RecordingCanvas::SetPenDashes(std::span<const float> pattern) {
  std::vector<std::int64_t> thousandths;
  for (float length : pattern) thousandths.push_back(std::llround(static_cast<double>(length) * 1000));
  Record(CanvasCall::Kind::PenDashes, std::move(thousandths));
  if (next_ != nullptr) next_->SetPenDashes(pattern);
}

void RecordingCanvas::SetTextColor(Color color) {
  Record(CanvasCall::Kind::TextColor, {color});
  if (next_ != nullptr) next_->SetTextColor(color);
}

void RecordingCanvas::Clear(Color color) {
  Record(CanvasCall::Kind::Clear, {color});
  if (next_ != nullptr) next_->Clear(color);
}

void RecordingCanvas::SetHollowBrush() {
  Record(CanvasCall::Kind::HollowBrush, {});
  if (next_ != nullptr) next_->SetHollowBrush();
}

void RecordingCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  Record(CanvasCall::Kind::MoveTo, {x, y});
  if (next_ != nullptr) next_->MoveTo(x, y);
}

void RecordingCanvas::LineTo(std::int32_t x, std::int32_t y) {
  Record(CanvasCall::Kind::LineTo, {x, y});
  if (next_ != nullptr) next_->LineTo(x, y);
}

void RecordingCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  Record(CanvasCall::Kind::Ellipse, {left, top, right, bottom});
  if (next_ != nullptr) next_->Ellipse(left, top, right, bottom);
}

void RecordingCanvas::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                          std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) {
  Record(CanvasCall::Kind::Arc, {left, top, right, bottom, startX, startY, endX, endY});
  if (next_ != nullptr) next_->Arc(left, top, right, bottom, startX, startY, endX, endY);
}

void RecordingCanvas::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  Record(CanvasCall::Kind::Pixel, {x, y, color});
  if (next_ != nullptr) next_->SetPixel(x, y, color);
}

void RecordingCanvas::FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) {
  std::vector<std::int64_t> args{static_cast<std::int64_t>(ringSizes.size())};
  for (std::int32_t size : ringSizes) args.push_back(size);
  for (const PolygonPoint& point : points) {
    args.push_back(point.x);
    args.push_back(point.y);
  }
  Record(CanvasCall::Kind::FillPolygon, std::move(args));
  if (next_ != nullptr) next_->FillPolygon(points, ringSizes);
}

void RecordingCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
                           std::int32_t escapement) {
  Record(CanvasCall::Kind::Text, {x, y, height, escapement}, std::string(text));
  if (next_ != nullptr) next_->Text(x, y, text, height, escapement);
}

}  // namespace karvex
