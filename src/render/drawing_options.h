#pragma once
// Everything a picture is drawn with beyond its size: where the drawing is
// placed and whether its line types and colours are followed. The default
// value is the plain picture (the drawing's rectangle at the bottom-left
// corner, every line solid, black on white); every option is off by default.
#include <array>
#include <cstdint>

#include "render/canvas.h"

namespace karvex {

// How the drawing is placed on the picture.
enum class Alignment : std::uint8_t {
  // The HEADER's rectangle (widened to the origin) at the bottom-left
  // corner, as large as it fits.
  LowerLeft,
  // The origin at the picture's centre, as large as that rectangle mirrored
  // about the origin fits.
  CentreOnOrigin,
  // The box of everything drawn, as large as it fits less a margin, in the
  // middle of the picture.
  Fit,
};

// The user's colours: the background, and the colours drawn for the seven
// standard colour numbers 4, 7, 3, 2, 6, 5 and 1 (the six line colours, then
// the text colour), whose defaults are their screen colours.
struct DrawingColours {
  Color background = 0x000000;
  std::array<Color, 6> lines = {0xFFFF00, 0xFFFFFF, 0x00FF00, 0x00FFFF, 0xFF00FF, 0xFF0000};
  Color text = 0x0000FF;
};

struct DrawingOptions {
  Alignment alignment = Alignment::LowerLeft;
  // Lines, polylines, circles and arcs in the dash patterns of their line
  // types.
  bool lineTypes = false;
  // Each entity in its own colour on the background colour; entities of
  // layers that are off are left out.
  bool lineColours = false;
  DrawingColours colours;
  // Today's entity kinds too (LWPOLYLINE, ELLIPSE, SPLINE, MTEXT, HATCH,
  // nested INSERTs, ...), and layers that are off or frozen left out.
  bool allKinds = false;

  // Whether entities need their style groups (line type, layer, colour):
  // with all kinds on, for the layers that are off or frozen.
  bool Styled() const { return lineTypes || lineColours || allKinds; }
};

}  // namespace karvex
