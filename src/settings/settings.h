#pragma once
// The user's settings of the plug-in: loaded when the plug-in object is
// created, saved when it is destroyed, read afresh by every picture request.
#include <cstdint>

namespace karvex {

struct Settings {
  std::int32_t SettingsVersion = 0;  // loaded and kept; always saved as 2
  std::int32_t OutputWidth = 640;
  std::int32_t OutputHeight = 453;
  // Alignment mode: 1 lower-left corner of the drawing's rectangle at the
  // picture's, 2 the origin at the picture's centre, 3 fit to the picture.
  // Any other value draws as 1.
  std::int32_t CenterPos = 1;
  // Colours (0x00BBGGRR). Drawings are drawn in them only with LineColors on.
  std::int32_t BackColor = 0x000000;
  std::int32_t LineColor1 = 0xFFFF00;
  std::int32_t LineColor2 = 0xFFFFFF;
  std::int32_t LineColor3 = 0x00FF00;
  std::int32_t LineColor4 = 0x00FFFF;
  std::int32_t LineColor5 = 0xFF00FF;
  std::int32_t LineColor6 = 0xFF0000;
  std::int32_t TextColor = 0x0000FF;
  // The dialog's option boxes: 0 unticked, anything else ticked.
  std::int32_t LineTypes = 0;   // "線種を考慮する。": lines in their dash patterns
  std::int32_t LineColors = 0;  // "線色を考慮する。": entities in their own colours
  std::int32_t AllKinds = 0;    // "全ての図形を描く。": today's entity kinds too

  static constexpr std::int32_t SavedVersion = 2;
};

}  // namespace karvex
