#pragma once
// A canvas that logs every call with its integer arguments, and passes it on
// to another canvas when it has one. The tests read the log; the converter
// writes it as a trace.
#include <cstdint>
#include <string>
#include <vector>

#include "render/canvas.h"

namespace karvex {

struct CanvasCall {
  enum class Kind : std::uint8_t {
    PenColor, HollowBrush, MoveTo, LineTo, Ellipse, Arc, Pixel, Text, PenDashes, TextColor, Clear, FillPolygon
  };
  Kind kind;
  // In the order of the Canvas operation; dash lengths in thousandths of a
  // pixel; a filled polygon's: the number of rings, each ring's size, then
  // x and y of every point.
  std::vector<std::int64_t> args;
  std::string text;                // Text only: the bytes as given

  bool operator==(const CanvasCall&) const = default;
};

const char* KindName(CanvasCall::Kind kind);
// One call as a line of JSON: {"op":"line","args":[10,20]} (text bytes as
// \u00XX escapes where they are not printable ASCII).
std::string ToJson(const CanvasCall& call);
// Compact form for test messages: "line 10 20".
std::string ToString(const CanvasCall& call);

class RecordingCanvas final : public Canvas {
 public:
  explicit RecordingCanvas(Canvas* next = nullptr) : next_(next) {}

  void SetPenColor(Color color) override;
  void SetPenDashes(std::span<const float> pattern) override;
  void SetTextColor(Color color) override;
  void Clear(Color color) override;
  void SetHollowBrush() override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) override;
  void Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom, std::int32_t startX,
           std::int32_t startY, std::int32_t endX, std::int32_t endY) override;
  void SetPixel(std::int32_t x, std::int32_t y, Color color) override;
  void FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) override;
  void Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
            std::int32_t escapement) override;

  const std::vector<CanvasCall>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  void Record(CanvasCall::Kind kind, std::vector<std::int64_t> args, std::string text = {});

  Canvas* next_;
  std::vector<CanvasCall> calls_;
};

}  // namespace karvex
