#include "settings/settings_drawing_options.h"

namespace karvex {
namespace {

Color ColourOf(std::int32_t setting) { return static_cast<Color>(setting) & 0x00FFFFFFu; }

}  // namespace

DrawingOptions DrawingOptionsOf(const Settings& settings) {
  DrawingOptions options;
  if (settings.CenterPos == 2) options.alignment = Alignment::CentreOnOrigin;
  if (settings.CenterPos == 3) options.alignment = Alignment::Fit;
  options.lineTypes = settings.LineTypes != 0;
  options.lineColours = settings.LineColors != 0;
  options.allKinds = settings.AllKinds != 0;
  options.colours.background = ColourOf(settings.BackColor);
  options.colours.lines = {ColourOf(settings.LineColor1), ColourOf(settings.LineColor2),
                           ColourOf(settings.LineColor3), ColourOf(settings.LineColor4),
                           ColourOf(settings.LineColor5), ColourOf(settings.LineColor6)};
  options.colours.text = ColourOf(settings.TextColor);
  return options;
}

}  // namespace karvex
