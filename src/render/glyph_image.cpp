#include "render/glyph_image.h"

#include FT_OUTLINE_H

#include <algorithm>

namespace karvex {
namespace {

constexpr FT_Pos kOnePixel = 64;

FT_Pos Floor(FT_Pos value) { return value & -kOnePixel; }
FT_Pos Ceiling(FT_Pos value) { return (value + kOnePixel - 1) & -kOnePixel; }
std::int64_t Pixels(FT_Pos value) { return value / kOnePixel; }  // whole pixels only

bool BitmapPixelSet(const FT_Bitmap& bitmap, std::int64_t column, std::int64_t row) {
  if (column < 0 || row < 0 || column >= bitmap.width || row >= bitmap.rows) return false;
  const unsigned char* line = bitmap.buffer + row * bitmap.pitch;
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
      return (line[column / 8] & (0x80 >> (column % 8))) != 0;
    case FT_PIXEL_MODE_GRAY:
      return line[column] >= 0x80;
    default:
      return false;
  }
}

// An embedded bitmap is copied, not scaled: it is only used for text that is
// not turned.
void CopyBitmap(const FT_GlyphSlot slot, const GlyphBox& window, GlyphImage& image) {
  for (std::int32_t row = 0; row < image.rows; ++row) {
    const std::int64_t sourceRow = window.top + row + slot->bitmap_top;
    for (std::int32_t column = 0; column < image.width; ++column) {
      const std::int64_t sourceColumn = window.left + column - slot->bitmap_left;
      if (BitmapPixelSet(slot->bitmap, sourceColumn, sourceRow)) {
        image.bits[static_cast<std::size_t>(row * image.pitch + column / 8)] |=
            static_cast<std::uint8_t>(0x80 >> (column % 8));
      }
    }
  }
}

// The ink over the picture, as much as each pixel is covered.
void PaintGreyGlyph(const BottomUpPicture& picture, const GlyphImage& image, std::int64_t firstColumn,
                    std::int64_t originY, std::int64_t from, std::int64_t to, Color ink) {
  // Blue, green, red, as the rows hold them.
  const unsigned inkChannels[3] = {(ink >> 16) & 0xFFu, (ink >> 8) & 0xFFu, ink & 0xFFu};
  for (std::int32_t row = 0; row < image.rows; ++row) {
    const std::int64_t y = originY + image.top + row;
    if (y < 0 || y >= picture.height) continue;
    std::uint8_t* line = picture.rows + static_cast<std::size_t>(picture.height - 1 - y) * picture.stride;
    const std::uint8_t* coverage =
        image.bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(image.pitch);
    for (std::int64_t column = from; column < to; ++column) {
      const unsigned cover = coverage[column];
      if (cover == 0) continue;
      std::uint8_t* pixel = line + static_cast<std::size_t>(firstColumn + column) * 3;
      for (int channel = 0; channel < 3; ++channel) {
        pixel[channel] =
            static_cast<std::uint8_t>((pixel[channel] * (255 - cover) + inkChannels[channel] * cover + 127) / 255);
      }
    }
  }
}

}  // namespace

GlyphBox GlyphBox::Intersection(const GlyphBox& other) const {
  return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
          std::min(bottom, other.bottom)};
}

GlyphBox InkBox(const FT_GlyphSlot slot, const FontCell& cell, const FT_Matrix* rotation) {
  const FT_Glyph_Metrics& metrics = slot->metrics;
  // Nothing reaches above the cell's top or below its bottom.
  const FT_Pos top = std::min<FT_Pos>(metrics.horiBearingY, cell.ascent * kOnePixel);
  const FT_Pos bottom = std::max<FT_Pos>(metrics.horiBearingY - metrics.height, -cell.descent * kOnePixel);
  const FT_Pos left = metrics.horiBearingX;
  const FT_Pos right = metrics.horiBearingX + metrics.width;
  if (top <= bottom || right <= left) return {};

  FT_Pos xMin = left, xMax = right, yMin = bottom, yMax = top;
  if (rotation != nullptr) {
    const FT_Vector corners[4] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
    for (int i = 0; i < 4; ++i) {
      FT_Vector corner = corners[i];
      FT_Vector_Transform(&corner, rotation);
      if (i == 0) {
        xMin = xMax = corner.x;
        yMin = yMax = corner.y;
      } else {
        xMin = std::min(xMin, corner.x);
        xMax = std::max(xMax, corner.x);
        yMin = std::min(yMin, corner.y);
        yMax = std::max(yMax, corner.y);
      }
    }
  }
  // Glyph space grows upwards, device rows downwards.
  return {Pixels(Floor(xMin)), -Pixels(Ceiling(yMax)), Pixels(Ceiling(xMax)), -Pixels(Floor(yMin))};
}

GlyphImage RenderGlyph(FT_Library library, FT_GlyphSlot slot, const FT_Matrix* rotation, const GlyphBox& window,
                       Antialiasing antialiasing) {
  GlyphImage image;
  if (window.Empty()) return image;
  image.left = static_cast<std::int32_t>(window.left);
  image.top = static_cast<std::int32_t>(window.top);
  image.width = static_cast<std::int32_t>(window.right - window.left);
  image.rows = static_cast<std::int32_t>(window.bottom - window.top);
  image.grey = antialiasing == Antialiasing::On && slot->format == FT_GLYPH_FORMAT_OUTLINE;
  image.pitch = image.grey ? image.width : (image.width + 7) / 8;
  image.bits.assign(static_cast<std::size_t>(image.pitch) * static_cast<std::size_t>(image.rows), 0);

  if (slot->format == FT_GLYPH_FORMAT_BITMAP) {
    if (rotation == nullptr) CopyBitmap(slot, window, image);
    return image;
  }
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return image;

  FT_Outline& outline = slot->outline;
  if (rotation != nullptr) FT_Outline_Transform(&outline, rotation);
  // The window's bottom-left corner becomes the bitmap's origin.
  FT_Outline_Translate(&outline, static_cast<FT_Pos>(-window.left * kOnePixel),
                       static_cast<FT_Pos>(window.bottom * kOnePixel));
  FT_Bitmap target{};
  target.rows = static_cast<unsigned>(image.rows);
  target.width = static_cast<unsigned>(image.width);
  target.pitch = image.pitch;
  target.buffer = image.bits.data();
  target.pixel_mode = image.grey ? FT_PIXEL_MODE_GRAY : FT_PIXEL_MODE_MONO;
  target.num_grays = image.grey ? 256 : 2;
  // A glyph the rasterizer refuses is left blank.
  if (FT_Outline_Get_Bitmap(library, &outline, &target) != 0) std::fill(image.bits.begin(), image.bits.end(), 0);
  return image;
}

void PaintGlyph(const BottomUpPicture& picture, const GlyphImage& image, std::int64_t originX, std::int64_t originY,
                Color ink) {
  const auto blue = static_cast<std::uint8_t>(ink >> 16);
  const auto green = static_cast<std::uint8_t>(ink >> 8);
  const auto red = static_cast<std::uint8_t>(ink);
  const std::int64_t firstColumn = originX + image.left;
  const std::int64_t from = std::max<std::int64_t>(0, -firstColumn);
  const std::int64_t to = std::min<std::int64_t>(image.width, picture.width - firstColumn);
  if (from >= to) return;
  if (image.grey) {
    PaintGreyGlyph(picture, image, firstColumn, originY, from, to, ink);
    return;
  }
  for (std::int32_t row = 0; row < image.rows; ++row) {
    const std::int64_t y = originY + image.top + row;
    if (y < 0 || y >= picture.height) continue;
    std::uint8_t* line = picture.rows + static_cast<std::size_t>(picture.height - 1 - y) * picture.stride;
    const std::uint8_t* bits = image.bits.data() + static_cast<std::size_t>(row) * static_cast<std::size_t>(image.pitch);
    for (std::int64_t column = from; column < to; ++column) {
      const std::uint8_t byte = bits[column / 8];
      if (byte == 0) {
        column |= 7;  // the rest of this byte is empty too
        continue;
      }
      if ((byte & (0x80 >> (column % 8))) == 0) continue;
      std::uint8_t* pixel = line + static_cast<std::size_t>(firstColumn + column) * 3;
      pixel[0] = blue;
      pixel[1] = green;
      pixel[2] = red;
    }
  }
}

}  // namespace karvex
