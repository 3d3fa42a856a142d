#pragma once
// The user's settings of the plug-in: loaded when the plug-in object is
// created, saved when it is destroyed, read afresh by every picture request.
#include <cstdint>

namespace karvex {

struct Settings {
  std::int32_t SettingsVersion = 0;  // loaded and kept; always saved as 2
  std::int32_t OutputWidth = 640;
  std::int32_t OutputHeight = 453;
  std::int32_t CenterPos = 1;  // alignment mode 1..3; shown by the dialog only
  // Colours (0x00BBGGRR): loaded, kept and saved; nothing draws with them.
  std::int32_t BackColor = 0x000000;
  std::int32_t LineColor1 = 0xFFFF00;
  std::int32_t LineColor2 = 0xFFFFFF;
  std::int32_t LineColor3 = 0x00FF00;
  std::int32_t LineColor4 = 0x00FFFF;
  std::int32_t LineColor5 = 0xFF00FF;
  std::int32_t LineColor6 = 0xFF0000;
  std::int32_t TextColor = 0x0000FF;

  static constexpr std::int32_t SavedVersion = 2;
};

}  // namespace karvex
