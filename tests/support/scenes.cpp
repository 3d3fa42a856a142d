#include "support/scenes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace karvex::testing {
namespace {

DxfText UnitScaleHeader() {
  DxfText text;
  text.Section("HEADER", {{9, "$EXTMIN"}, {10, "0"}, {20, "0"}, {9, "$EXTMAX"}, {10, "640"}, {20, "453"}});
  return text;
}

}  // namespace

std::string Scene(std::initializer_list<Pair> entities) {
  return UnitScaleHeader().Section("ENTITIES", entities).Eof().Text();
}

std::string SceneWithBlocks(std::initializer_list<Pair> blocks, std::initializer_list<Pair> entities) {
  return UnitScaleHeader().Section("BLOCKS", blocks).Section("ENTITIES", entities).Eof().Text();
}

std::vector<std::string> DrawnCalls(PluginHarness& harness, const std::string& text) {
  std::vector<std::string> calls = harness.Draw(text);
  const std::vector<std::string> sectionStart{"pen 0", "hollow_brush"};
  if (calls.size() >= 2 && std::equal(sectionStart.begin(), sectionStart.end(), calls.begin())) {
    calls.erase(calls.begin(), calls.begin() + 2);
  }
  return calls;
}

std::vector<std::string> DrawnCalls(const std::string& text) {
  PluginHarness harness;
  return DrawnCalls(harness, text);
}

void ExpectDrawn(const std::vector<DrawCase>& cases) {
  for (const DrawCase& c : cases) EXPECT_EQ(DrawnCalls(c.text), c.expected) << c.name;
}

std::string PairEndingOnReport(const std::string& text) {
  // "999\r\n" + value + "\r\n" is 7 bytes and the value; at least one byte of value.
  std::size_t end = (text.size() + 8 + 999) / 1000 * 1000;
  return "999\r\n" + std::string(end - text.size() - 7, 'x') + "\r\n";
}

}  // namespace karvex::testing
