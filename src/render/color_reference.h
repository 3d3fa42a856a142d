#pragma once
// A pen or pixel colour is handed to the platform as a colour reference,
// whose high byte says how its low bytes are read. SOLIDs pass their colour
// number on unchanged, so every high byte reaches the platform; the raster
// backends read it as GDI does on the 24-bit picture.
#include "render/canvas.h"

namespace karvex {

// The colour that the colour reference draws on a 24-bit DIB section:
// - bit 24 set: an index (the low 16 bits) into the device context's
//   palette, the default 20-entry one; an index past its end gives entry 0;
// - high 16 bits 0x10FF: an index into the picture's colour table, which a
//   24-bit picture does not have: black;
// - any other: its low 24 bits, 0x00BBGGRR.
Color ResolveColorReference(Color reference);

}  // namespace karvex
