#include "render/gdi_surface.h"

#include <cstring>
#include <new>
#include <vector>

#include "base/failures.h"
#include "render/unicode_escape_decoder.h"
#include "render/wide_text_decoder.h"
#include "render/polygon_fill.h"

namespace karvex {
namespace {

// "ＭＳ ゴシック" in code page 932: the face every text is drawn in.
constexpr char kGothicFace[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
// The same name in UTF-16, which no system code page can garble.
constexpr wchar_t kWideGothicFace[] = L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF";

// The font record of a text, narrow or wide.
template <class LogFont>
LogFont TextFont(std::int32_t height, std::int32_t escapement) {
  LogFont font{};
  font.lfHeight = height;
  font.lfWidth = 0;
  font.lfEscapement = escapement;
  font.lfOrientation = 0;
  font.lfWeight = 0;
  font.lfItalic = 0;
  font.lfUnderline = 0;
  font.lfStrikeOut = 0;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DRAFT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  return font;
}

// GDI is handed the colour reference as it is, high byte and all.
COLORREF ToColorRef(Color color) { return static_cast<COLORREF>(color); }

}  // namespace

GdiCanvas::GdiCanvas(HDC dc, const DibPixels& pixels, GdiGeometry geometry)
    : dc_(dc), geometry_(geometry),
      pen_(pixels.bottomUpRows, pixels.width, pixels.height, static_cast<std::size_t>(RowStride(pixels.width))) {
  // The conventions the raster canvas reproduces, whatever the DC had: in
  // the advanced graphics mode Ellipse would include the right and bottom
  // edges, and arcs run counter-clockwise.
  SetGraphicsMode(dc_, GM_COMPATIBLE);
  SetMapMode(dc_, MM_TEXT);
  SetArcDirection(dc_, AD_COUNTERCLOCKWISE);
  SetROP2(dc_, R2_COPYPEN);
  gdiPen_ = CreatePen(PS_SOLID, 1, ToColorRef(kBlack));
  if (gdiPen_ == nullptr) throw ResourceFailure("no pen");
  originalPen_ = SelectObject(dc_, gdiPen_);
  originalBrush_ = SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
}

GdiCanvas::~GdiCanvas() {
  SelectObject(dc_, originalPen_);
  SelectObject(dc_, originalBrush_);
  if (originalFont_ != nullptr) SelectObject(dc_, originalFont_);
  if (gdiPen_ != nullptr) DeleteObject(gdiPen_);
  if (font_ != nullptr) DeleteObject(font_);
}

void GdiCanvas::SetPenColor(Color color) {
  pen_.SetColor(color);
  penColor_ = color;
  if (!ByGdi()) return;
  HPEN pen = CreatePen(PS_SOLID, 1, ToColorRef(color));
  if (pen == nullptr) throw ResourceFailure("no pen");
  SelectObject(dc_, pen);
  DeleteObject(gdiPen_);
  gdiPen_ = pen;
}

// GDI fills with a brush of the pen's colour, alternate (even-odd) filling,
// and outlines with the pen, all in one PolyPolygon.
void GdiCanvas::FillPolygon(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) {
  if (!ByGdi()) {
    pen_.FillPolygon(points, ringSizes);
    return;
  }
  if (RingPoints(points, ringSizes) < 0) return;
  std::vector<POINT> corners;
  corners.reserve(points.size());
  for (const PolygonPoint& point : points) corners.push_back({point.x, point.y});
  std::vector<INT> counts(ringSizes.begin(), ringSizes.end());
  HBRUSH brush = CreateSolidBrush(ToColorRef(penColor_));
  if (brush == nullptr) throw ResourceFailure("no brush");
  const HGDIOBJ previous = SelectObject(dc_, brush);
  SetPolyFillMode(dc_, ALTERNATE);
  PolyPolygon(dc_, corners.data(), counts.data(), static_cast<int>(counts.size()));
  SelectObject(dc_, previous);
  DeleteObject(brush);
}

void GdiCanvas::Clear(Color color) {
  // GDI must have finished what it drew before the pixels are written.
  GdiFlush();
  pen_.Fill(color);
}

void GdiCanvas::SetHollowBrush() { SelectObject(dc_, GetStockObject(HOLLOW_BRUSH)); }

void GdiCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  pen_.MoveTo(x, y);
  if (ByGdi()) MoveToEx(dc_, x, y, nullptr);
}

void GdiCanvas::LineTo(std::int32_t x, std::int32_t y) {
  if (ByGdi()) {
    ::LineTo(dc_, x, y);
    pen_.MoveTo(x, y);
    return;
  }
  pen_.LineTo(x, y);
}

void GdiCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  if (ByGdi()) {
    ::Ellipse(dc_, left, top, right, bottom);
    return;
  }
  pen_.Ellipse(left, top, right, bottom);
}

void GdiCanvas::Arc(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                    std::int32_t startX, std::int32_t startY, std::int32_t endX, std::int32_t endY) {
  if (ByGdi()) {
    ::Arc(dc_, left, top, right, bottom, startX, startY, endX, endY);
    return;
  }
  pen_.Arc(left, top, right, bottom, startX, startY, endX, endY);
}

void GdiCanvas::SetPixel(std::int32_t x, std::int32_t y, Color color) {
  if (ByGdi()) {
    ::SetPixel(dc_, x, y, ToColorRef(color));
    return;
  }
  pen_.SetPixel(x, y, color);
}

// A new font for every text; the surface owns it until the next one.
HFONT GdiCanvas::SelectTextFont(HFONT created) {
  if (created == nullptr) throw ResourceFailure("no font");
  HGDIOBJ previous = SelectObject(dc_, created);
  if (originalFont_ == nullptr) originalFont_ = previous;
  if (font_ != nullptr) DeleteObject(font_);
  font_ = created;
  ::SetTextColor(dc_, ToColorRef(textColor_));
  SetBkMode(dc_, TRANSPARENT);
  SelectObject(dc_, GetStockObject(HOLLOW_BRUSH));
  return created;
}

void GdiCanvas::Text(std::int32_t x, std::int32_t y, std::string_view text, std::int32_t height,
                     std::int32_t escapement) {
  if (wide_ != nullptr) {
    LOGFONTW font = TextFont<LOGFONTW>(height, escapement);
    std::memcpy(font.lfFaceName, kWideGothicFace, sizeof kWideGothicFace);
    SelectTextFont(CreateFontIndirectW(&font));
    wide_->Decode(text, characters_);
    units_.clear();
    AppendUtf16(characters_, units_);
    ExtTextOutW(dc_, x, y, 0, nullptr, units_.data(), static_cast<UINT>(units_.size()), nullptr);
  } else {
    LOGFONTA font = TextFont<LOGFONTA>(height, escapement);
    std::memcpy(font.lfFaceName, kGothicFace, sizeof kGothicFace);
    SelectTextFont(CreateFontIndirectA(&font));
    ExtTextOutA(dc_, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  }
  // The figures that follow are written into the pixels directly: GDI must
  // have finished the text first.
  GdiFlush();
}

void GdiCanvas::UseTextEncoding(const TextEncoding& encoding) {
  wide_ = nullptr;
  wideEscapes_.reset();
  wideBytes_.reset();
  if (encoding.source == TextEncoding::Source::Unstated || encoding.codePage == 0) return;
  wideBytes_ = std::make_unique<WideTextDecoder>(encoding.codePage);
  wide_ = wideBytes_.get();
  if (encoding.expandEscapes) {
    wideEscapes_ = std::make_unique<UnicodeEscapeDecoder>(*wideBytes_);
    wide_ = wideEscapes_.get();
  }
}

GdiSurface::GdiSurface(std::int32_t width, std::int32_t height, GdiGeometry geometry)
    : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) throw ResourceFailure("no device context");
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
  if (bitmap_ == nullptr || bits_ == nullptr) {
    DeleteDC(dc_);
    throw std::bad_alloc();
  }
  originalBitmap_ = SelectObject(dc_, bitmap_);
  // White everywhere; the row padding stays zero as in a BMP file.
  const std::size_t stride = static_cast<std::size_t>(RowStride(width));
  auto* rows = static_cast<std::uint8_t*>(bits_);
  for (std::int32_t row = 0; row < height; ++row) {
    std::uint8_t* line = rows + static_cast<std::size_t>(row) * stride;
    std::memset(line, 0xFF, static_cast<std::size_t>(width) * 3);
    std::memset(line + static_cast<std::size_t>(width) * 3, 0, stride - static_cast<std::size_t>(width) * 3);
  }
  try {
    canvas_ = std::make_unique<GdiCanvas>(dc_, DibPixels{static_cast<std::uint8_t*>(bits_), width, height}, geometry);
  } catch (...) {
    SelectObject(dc_, originalBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    throw;
  }
}

GdiSurface::~GdiSurface() {
  canvas_.reset();
  SelectObject(dc_, originalBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

const std::uint8_t* GdiSurface::BottomUpRows() {
  GdiFlush();
  return static_cast<const std::uint8_t*>(bits_);
}

}  // namespace karvex
