#include "render/svg_canvas.h"

#include <charconv>
#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "render/color_reference.h"
#include "render/dash_pattern.h"
#include "render/ellipse_geometry.h"
#include "render/polygon_fill.h"
#include "render/utf8_encoder.h"

namespace karvex {
namespace {

// Written to the file in pieces of about this size.
constexpr std::size_t kFlushSize = std::size_t{1} << 16;
// Segments in one path element: enough to keep the elements few, few enough
// that an editor can still pick one apart.
constexpr std::int32_t kMostSegments = 1000;
constexpr std::int32_t kFullTurn = 3600;  // tenths of a degree
// Arc ends closer than this (in pixels) are one point to a viewer, which
// then draws no arc at all.
constexpr double kSamePoint = 0.02;
constexpr double kPi = 3.14159265358979323846;

// The pieces elements are written from: text as it is, whole numbers, half
// pixels, decimals and colours.
struct Halves {
  std::int64_t count;  // "12", "12.5", "-0.5"
};
struct Decimal {
  double value;  // two decimals at most, trailing zeros left out
};
struct Hex {
  Color color;  // "#rrggbb"
};

void Put(std::string& out, std::string_view text) { out += text; }
void Put(std::string& out, char c) { out += c; }

template <class Int>
  requires std::is_integral_v<Int>
void Put(std::string& out, Int value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void Put(std::string& out, Halves halves) {
  if (halves.count < 0 && halves.count > -2) out += '-';
  Put(out, halves.count / 2);
  if (halves.count % 2 != 0) out += ".5";
}

void Put(std::string& out, Decimal decimal) {
  const double rounded = std::round(decimal.value * 100) / 100;
  char digits[48];
  const auto result = std::to_chars(digits, digits + sizeof digits, rounded == 0 ? 0.0 : rounded,
                                    std::chars_format::fixed, 2);
  std::string_view text(digits, static_cast<std::size_t>(result.ptr - digits));
  while (text.back() == '0') text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  out += text;
}

void Put(std::string& out, Hex hex) {
  constexpr char kDigits[] = "0123456789abcdef";
  out += '#';
  for (const int shift : {0, 8, 16}) {  // red, green, blue
    const unsigned byte = (hex.color >> shift) & 0xFF;
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
  }
}

template <class... Pieces>
void Write(std::string& out, const Pieces&... pieces) {
  (Put(out, pieces), ...);
}

bool IsXmlCharacter(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

// Character data and attribute values in double quotes: markup characters
// as entities, line breaks and tabs as references (so that a parser keeps
// them), and what XML cannot hold as the replacement character.
void AppendEscaped(std::string& out, std::u32string_view characters) {
  for (char32_t c : characters) {
    switch (c) {
      case U'&': out += "&amp;"; break;
      case U'<': out += "&lt;"; break;
      case U'>': out += "&gt;"; break;
      case U'"': out += "&quot;"; break;
      case U'\t': out += "&#9;"; break;
      case U'\n': out += "&#10;"; break;
      case U'\r': out += "&#13;"; break;
      default: AppendUtf8(out, IsXmlCharacter(c) ? c : U'\uFFFD');
    }
  }
}

// The face's family as a CSS font-family list, the platform's own face and
// the generic family after it for viewers that have not got it.
std::string FontFamilies(const std::string& family) {
  std::u32string quoted = U"'";
  for (unsigned char byte : family) {
    // Family names are ASCII in practice; anything else is passed over.
    if (byte < 0x20 || byte >= 0x7F) continue;
    if (byte == '\'' || byte == '\\') quoted += U'\\';
    quoted += static_cast<char32_t>(byte);
  }
  quoted += U"','MS Gothic',monospace";
  std::string out;
  AppendEscaped(out, quoted);
  return out;
}

}  // namespace

SvgCanvas::SvgCanvas(std::FILE* out, std::int32_t width, std::int32_t height, Color background,
                     TextDecoder& decoder, TextLayout* layout)
    : out_(out), decoder_(decoder), layout_(layout), width_(width), height_(height) {
  buffer_.reserve(kFlushSize + 4096);
  Write(buffer_, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n",
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"", width, "\" height=\"", height,
        "\" viewBox=\"0 0 ", width, ' ', height, "\">\n");
  Write(buffer_, "<rect width=\"", width, "\" height=\"", height, "\" fill=\"", Hex{ResolveColorReference(background)},
        "\"/>\n");
  Write(buffer_, "<g transform=\"translate(0.5 0.5)\" fill=\"none\" stroke-width=\"1\" stroke-linejoin=\"round\"");
  // Texts start at their x, on their base line at their y, spaces kept.
  if (layout_ != nullptr) {
    Write(buffer_, " font-family=\"", FontFamilies(layout_->Family()),
          "\" text-anchor=\"start\" dominant-baseline=\"alphabetic\" xml:space=\"preserve\"");
  }
  buffer_ += ">\n";
}

bool SvgCanvas::Finish() {
  ClosePath();
  buffer_ += "</g>\n</svg>\n";
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) failed_ = true;
  buffer_.clear();
  return !failed_;
}

void SvgCanvas::FlushIfFull() {
  if (buffer_.size() < kFlushSize) return;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) failed_ = true;
  buffer_.clear();
}

void SvgCanvas::ClosePath() {
  if (!pathOpen_) return;
  buffer_ += "\"/>\n";
  pathOpen_ = false;
  FlushIfFull();
}

void SvgCanvas::SetPenColor(Color color) { penColor_ = ResolveColorReference(color); }

void SvgCanvas::SetTextColor(Color color) { textColor_ = ResolveColorReference(color); }

void SvgCanvas::SetPenDashes(std::span<const float> pattern) {
  dashes_.clear();
  DashPattern check;
  check.Set(pattern);
  if (check.Solid()) return;
  // SVG lengths alternate drawn and left out, starting drawn, in an even
  // count: runs of one kind are added up, a dot is a dash of one pixel
  // taken from the gap after it, and a pattern starting with a gap or
  // ending with a dash gets a dash or gap of no length.
  std::vector<double> lengths;
  bool drawn = true;
  lengths.push_back(0);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const float length = pattern[i];
    const bool isDrawn = length >= 0;
    double size = std::fabs(static_cast<double>(length));
    if (length == 0) {
      size = 1;
    } else if (!isDrawn && i > 0 && pattern[i - 1] == 0) {
      size = std::max(0.0, size - 1);
    }
    if (isDrawn != drawn) {
      lengths.push_back(0);
      drawn = isDrawn;
    }
    lengths.back() += size;
  }
  if (lengths.size() % 2 != 0) lengths.push_back(0);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    if (i > 0) dashes_ += ' ';
    Put(dashes_, Decimal{lengths[i]});
  }
}

void SvgCanvas::WriteStroke(Color color) {
  Write(buffer_, " stroke=\"", Hex{color}, '"');
  if (!dashes_.empty()) Write(buffer_, " stroke-dasharray=\"", dashes_, '"');
}

void SvgCanvas::Clear(Color color) {
  ClosePath();
  WritePixels(0, 0, width_, height_, ResolveColorReference(color));
}

void SvgCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  currentX_ = x;
  currentY_ = y;
}

void SvgCanvas::LineTo(std::int32_t x, std::int32_t y) {
  // A line of no length sets no pixel.
  if (x == currentX_ && y == currentY_) return;
  if (pathOpen_ && (pathColor_ != penColor_ || pathDashes_ != dashes_ || pathSegments_ >= kMostSegments)) {
    ClosePath();
  }
  const bool continues = pathOpen_ && pathEndX_ == currentX_ && pathEndY_ == currentY_;
  if (!pathOpen_) {
    buffer_ += "<path";
    WriteStroke(penColor_);
    buffer_ += " d=\"";
    pathOpen_ = true;
    pathColor_ = penColor_;
    pathDashes_ = dashes_;
    pathSegments_ = 0;
  }
  if (!continues) Write(buffer_, 'M', currentX_, ' ', currentY_);
  Write(buffer_, 'L', x, ' ', y);
  ++pathSegments_;
  pathEndX_ = currentX_ = x;
  pathEndY_ = currentY_ = y;
}

void SvgCanvas::WriteEllipse(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
  Write(buffer_, "<ellipse cx=\"", Halves{left + right - 1}, "\" cy=\"", Halves{top + bottom - 1}, "\" rx=\"",
        Halves{right - left - 1}, "\" ry=\"", Halves{bottom - top - 1}, '"');
  WriteStroke(penColor_);
  buffer_ += "/>\n";
  FlushIfFull();
}

void SvgCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  ClosePath();
  const EllipseGeometry box = EllipseGeometry::OfBox(left, top, right, bottom);
  if (box.DrawsNothing()) return;
  if (!box.Filled()) {
    WriteEllipse(box.left, box.top, box.right, box.bottom);
    return;
  }
  // So thin that the outline covers the box.
  WritePixels(box.left, box.top, box.Width(), box.Height(), penColor_);
}

void SvgCanvas::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                    std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) {
  ClosePath();
  const EllipseGeometry ellipse = EllipseGeometry::OfBox(left, top, right, bottom);
  if (ellipse.Width() <= 0 || ellipse.Height() <= 0) return;
  const ArcSweep sweep = SweepOf(ellipse, startX, startY, endX, endY);
  if (!sweep.whole && sweep.span <= 0) return;
  double fromX = 0, fromY = 0, toX = 0, toY = 0;
  ellipse.PointAt(sweep.start, fromX, fromY);
  ellipse.PointAt(sweep.start + sweep.span, toX, toY);
  const bool large = sweep.span > kPi;
  if (sweep.whole || (large && std::hypot(toX - fromX, toY - fromY) < kSamePoint)) {
    WriteEllipse(ellipse.left, ellipse.top, ellipse.right, ellipse.bottom);
    return;
  }
  // Counter-clockwise as viewed is the negative sweep in SVG's rows-down
  // coordinates.
  buffer_ += "<path";
  WriteStroke(penColor_);
  Write(buffer_, " d=\"M", Decimal{fromX}, ' ', Decimal{fromY}, 'A',
        Halves{ellipse.Width() - 1}, ' ', Halves{ellipse.Height() - 1}, large ? " 0 1 0 " : " 0 0 0 ", Decimal{toX},
        ' ', Decimal{toY}, "\"/>\n");
  FlushIfFull();
}

void SvgCanvas::FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) {
  ClosePath();
  if (RingPoints(points, ringSizes) <= 0) return;
  buffer_ += "<path";
  WriteStroke(penColor_);
  Write(buffer_, " fill=\"", Hex{penColor_}, "\" fill-rule=\"evenodd\" d=\"");
  std::size_t first = 0;
  for (std::int32_t size : ringSizes) {
    const auto count = static_cast<std::size_t>(size);
    for (std::size_t i = 0; i < count; ++i) {
      Write(buffer_, i == 0 ? 'M' : 'L', points[first + i].x, ' ', points[first + i].y);
    }
    if (count > 0) buffer_ += 'Z';
    first += count;
    FlushIfFull();
  }
  buffer_ += "\"/>\n";
  FlushIfFull();
}

void SvgCanvas::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  ClosePath();
  WritePixels(x, y, 1, 1, ResolveColorReference(color));
}

void SvgCanvas::WritePixels(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height,
                            Color color) {
  Write(buffer_, "<rect x=\"", Halves{2 * left - 1}, "\" y=\"", Halves{2 * top - 1}, "\" width=\"", width,
        "\" height=\"", height, "\" fill=\"", Hex{color}, "\"/>\n");
  FlushIfFull();
}

void SvgCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
                     std::int32_t escapement) {
  ClosePath();
  if (layout_ == nullptr || text.empty()) return;
  decoder_.Decode(text, characters_);
  if (characters_.empty()) return;
  std::int32_t turn = escapement % kFullTurn;
  if (turn < 0) turn += kFullTurn;
  const FontCell cell = layout_->Cell(height);
  const std::int64_t advance = layout_->Advance(characters_, height, turn);

  // (x, y) is the top-left corner of the cell, at the pixel's top-left
  // corner; the base line lies one ascent below it, and the text turns
  // about the corner.
  const Halves cornerX{2 * std::int64_t{x} - 1};
  Write(buffer_, "<text x=\"", cornerX, "\" y=\"", Halves{2 * (std::int64_t{y} + cell.ascent) - 1}, "\" font-size=\"",
        cell.ppem);
  if (advance > 0) Write(buffer_, "\" textLength=\"", advance);
  if (turn != 0) {
    Write(buffer_, "\" transform=\"rotate(", Decimal{-turn / 10.0}, ' ', cornerX, ' ', Halves{2 * std::int64_t{y} - 1},
          ')');
  }
  Write(buffer_, "\" fill=\"", Hex{textColor_}, "\">");
  AppendEscaped(buffer_, characters_);
  buffer_ += "</text>\n";
  FlushIfFull();
}

}  // namespace karvex
