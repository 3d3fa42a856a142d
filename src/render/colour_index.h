#pragma once
// The colours a drawing in its own colours is drawn in. Colour numbers 1 to
// 255 are the CAD colour index's screen colours, except the seven standard
// colours, which are the user's: colour numbers 4, 7, 3, 2, 6, 5 and 1 are
// drawn in the six line colours and the text colour (their defaults are
// those numbers' screen colours). A colour too close to the background to be
// seen is drawn in the contrasting colour instead (black on a light
// background, white on a dark one).
#include <cstdint>

#include "render/canvas.h"
#include "render/drawing_options.h"

namespace karvex {

// The screen colour of colour number 1 to 255 (0x00BBGGRR): 1 to 9 the
// named colours and greys, 10 to 249 twenty-four hues in five shades each
// full and pale, 250 to 255 six greys; black for any other number.
Color ScreenColour(std::int32_t number);

class ColourIndex {
 public:
  explicit ColourIndex(const DrawingColours& colours);

  // A colour number's colour (see above); numbers outside 1 to 255 draw as
  // 7.
  Color OfNumber(std::int32_t number) const;
  // A true colour (group 420, 0x00RRGGBB) in the platform's layout.
  static Color OfTrueColour(std::int32_t rgb);
  // colour, or the contrasting colour when it is too close to the
  // background.
  Color Seen(Color colour) const;
  Color Background() const { return background_; }

 private:
  Color numbers_[256];
  Color background_;
  Color contrasting_;
};

}  // namespace karvex
