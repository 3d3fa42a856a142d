#pragma once
// Drawings for the drawer tests: a HEADER that makes one drawing unit one
// pixel at the default 640 x 453 (so a point (x, y) lands on column x, row
// 453 - y), optional blocks, and the entities.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/dxf_text.h"
#include "support/plugin_harness.h"

namespace karvex::testing {

std::string Scene(std::initializer_list<Pair> entities);
std::string SceneWithBlocks(std::initializer_list<Pair> blocks, std::initializer_list<Pair> entities);

// The canvas calls a scene makes after the ENTITIES section has set its pen
// and brush ("pen 0", "hollow_brush" are left out).
std::vector<std::string> DrawnCalls(PluginHarness& harness, const std::string& text);
std::vector<std::string> DrawnCalls(const std::string& text);

// A named drawing and the calls it must make (as DrawnCalls gives them).
struct DrawCase {
  const char* name;
  std::string text;
  std::vector<std::string> expected;
};

// Checks every case, naming the failing ones.
void ExpectDrawn(const std::vector<DrawCase>& cases);

// A drawing of at least `bytes` bytes without texts: lines, arcs and
// circles with coordinates of many digits, and a block inserted at angles
// (always the same drawing for the same size).
std::string LargeLineDrawing(std::size_t bytes);

// A comment pair (999) that makes the reader's position after it an exact
// multiple of 1000 when it follows text: the place of a progress report.
std::string PairEndingOnReport(const std::string& text);

}  // namespace karvex::testing
