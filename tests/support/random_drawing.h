#pragma once
// Drawings made up from a seed: every drawn kind, with coordinates of any
// size and sign, rotated texts and arcs, open and closed polylines, and
// blocks inserted at any angle, behind a HEADER whose rectangle need not
// have anything to do with them (the same drawing for the same seed).
#include <string>

namespace karvex::testing {

std::string RandomDrawing(unsigned seed, int entities);

}  // namespace karvex::testing
