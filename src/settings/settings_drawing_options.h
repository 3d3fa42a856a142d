#pragma once
// What the stored settings ask of a picture.
#include "render/drawing_options.h"
#include "settings/settings.h"

namespace karvex {

// Alignment modes 2 and 3, the two option boxes and the colours; a mode
// other than 2 or 3 is mode 1, and a colour's top byte is not a colour.
DrawingOptions DrawingOptionsOf(const Settings& settings);

}  // namespace karvex
