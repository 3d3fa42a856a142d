#pragma once
// Colour references with every kind of high byte, as a SOLID's colour number
// hands them on: the differential test draws each through GDI and through
// our canvases and compares the colour drawn.
#include <vector>

#include "render/canvas.h"

namespace karvex::testing {

std::vector<Color> ColorReferencesToCompare();

}  // namespace karvex::testing
