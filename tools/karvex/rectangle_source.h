#pragma once
// Where the drawing rectangle a picture was scaled to came from, for people:
// the HEADER's extents, its limits, both, or the fall-back of 10000 units
// where neither spans an axis. The HEADER reader merges them with the
// origin, so each side is told apart by the value it ended with.
#include <string>

#include "dxf/drawing_extents.h"
#include "karvex/drawing_facts.h"

namespace karvex::tools {

// A float as people read it, to 9 significant digits: "5.81818199".
std::string FloatText(float value);

// "(-10, -5) to (100, 50)".
std::string RectangleText(const DrawingExtents& extents);

// "from the extents ($EXTMIN, $EXTMAX)", "from the limits ($LIMMIN,
// $LIMMAX), widened to take in the origin", "x from $LIMMIN to $EXTMAX, y
// from ...", "the fall-back of 10000 units each way from the origin, as ...".
std::string RectangleSource(const DrawingExtents& extents, const DrawingFacts& facts);

}  // namespace karvex::tools
