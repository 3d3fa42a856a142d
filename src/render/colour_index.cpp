#include "render/colour_index.h"

#include <cmath>

namespace karvex {
namespace {

constexpr Color Rgb(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return static_cast<Color>(red) | static_cast<Color>(green) << 8 | static_cast<Color>(blue) << 16;
}
constexpr std::int32_t Red(Color c) { return static_cast<std::int32_t>(c & 0xFF); }
constexpr std::int32_t Green(Color c) { return static_cast<std::int32_t>(c >> 8 & 0xFF); }
constexpr std::int32_t Blue(Color c) { return static_cast<std::int32_t>(c >> 16 & 0xFF); }

// The strongest channel of each of the five shades of a hue.
constexpr std::int32_t kShadeValue[5] = {255, 165, 127, 76, 38};

// A channel of a hue at full strength, for hue steps of 15 degrees: the
// channels rise and fall in quarters of 255 between the six primaries.
std::int32_t HueChannel(std::int32_t step, std::int32_t peak) {
  // peak: the step (0..23) at which the channel is at its full 255.
  std::int32_t distance = (step - peak + 24) % 24;
  if (distance > 12) distance = 24 - distance;
  if (distance <= 4) return 255;
  if (distance >= 8) return 0;
  return 255 * (8 - distance) / 4;
}

// To the nearest whole number, a half downwards (127.5 is 127).
std::int32_t Scaled(double value) { return static_cast<std::int32_t>(std::ceil(value - 0.5)); }

// The weighted distance of two colours, squared: green counts most, red
// least, as the eye sees them.
std::int32_t DistanceSquared(Color a, Color b) {
  const std::int32_t red = Red(a) - Red(b);
  const std::int32_t green = Green(a) - Green(b);
  const std::int32_t blue = Blue(a) - Blue(b);
  return 2 * red * red + 4 * green * green + 3 * blue * blue;
}

// Closer than an eighth of the largest distance (black to white) is too
// close to be seen.
constexpr std::int32_t kTooClose = 9 * 255 * 255 / 64;

}  // namespace

Color ScreenColour(std::int32_t number) {
  switch (number) {
    case 1: return Rgb(255, 0, 0);
    case 2: return Rgb(255, 255, 0);
    case 3: return Rgb(0, 255, 0);
    case 4: return Rgb(0, 255, 255);
    case 5: return Rgb(0, 0, 255);
    case 6: return Rgb(255, 0, 255);
    case 7: return Rgb(255, 255, 255);
    case 8: return Rgb(128, 128, 128);
    case 9: return Rgb(192, 192, 192);
    default: break;
  }
  if (number >= 250 && number <= 255) {
    const std::int32_t grey = 51 + (number - 250) * 204 / 5;
    return Rgb(grey, grey, grey);
  }
  if (number < 10 || number > 249) return kBlack;
  const std::int32_t step = number / 10 - 1;  // hue in steps of 15 degrees from red
  const std::int32_t shade = number % 10 / 2;
  const bool pale = number % 2 == 1;
  const std::int32_t full[3] = {HueChannel(step, 0), HueChannel(step, 8), HueChannel(step, 16)};
  std::int32_t channel[3];
  for (int i = 0; i < 3; ++i) {
    // Pale shades are halfway to the shade's grey.
    const double strength = pale ? (255.0 + full[i]) / 510.0 : full[i] / 255.0;
    channel[i] = Scaled(kShadeValue[shade] * strength);
  }
  return Rgb(channel[0], channel[1], channel[2]);
}

ColourIndex::ColourIndex(const DrawingColours& colours) : background_(colours.background & 0xFFFFFF) {
  for (std::int32_t number = 0; number < 256; ++number) numbers_[number] = ScreenColour(number);
  const std::int32_t userNumbers[6] = {4, 7, 3, 2, 6, 5};
  for (int i = 0; i < 6; ++i) numbers_[userNumbers[i]] = colours.lines[static_cast<std::size_t>(i)] & 0xFFFFFF;
  numbers_[1] = colours.text & 0xFFFFFF;
  // Light by its weighted brightness: black stands out on it, white on a
  // dark one.
  const std::int32_t brightness = 299 * Red(background_) + 587 * Green(background_) + 114 * Blue(background_);
  contrasting_ = brightness >= 128 * 1000 ? kBlack : kWhite;
}

Color ColourIndex::OfNumber(std::int32_t number) const {
  if (number < 1 || number > 255) number = 7;
  return numbers_[number];
}

Color ColourIndex::OfTrueColour(std::int32_t rgb) {
  return Rgb(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

Color ColourIndex::Seen(Color colour) const {
  return DistanceSquared(colour, background_) < kTooClose ? contrasting_ : colour;
}

}  // namespace karvex
