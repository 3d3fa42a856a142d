#include "support/scenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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

std::string LargeLineDrawing(std::size_t bytes) {
  std::mt19937 random(11);
  auto coordinate = [&] {
    return std::to_string(random() % 1000) + "." + std::to_string(100000000 + random() % 900000000);
  };
  std::string text =
      "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMIN\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n"
      "  9\r\n$EXTMAX\r\n 10\r\n1000.0\r\n 20\r\n1000.0\r\n  0\r\nENDSEC\r\n"
      "  0\r\nSECTION\r\n  2\r\nBLOCKS\r\n  0\r\nBLOCK\r\n  2\r\nB\r\n 10\r\n0.5\r\n 20\r\n0.25\r\n";
  for (int i = 0; i < 40; ++i) {
    text += "  0\r\nLINE\r\n 10\r\n" + std::to_string(i % 7) + ".125\r\n 20\r\n" + std::to_string(i % 5) +
            ".75\r\n 11\r\n" + std::to_string(i % 3) + ".5\r\n 21\r\n" + std::to_string(i % 11) + ".0625\r\n";
  }
  text += "  0\r\nENDBLK\r\n  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  while (text.size() < bytes) {
    switch (random() % 4) {
      case 0:
        text += "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() +
                "\r\n 11\r\n" + coordinate() + "\r\n 21\r\n" + coordinate() + "\r\n";
        break;
      case 1:
        text += "  0\r\nCIRCLE\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() + "\r\n 40\r\n" +
                std::to_string(random() % 40) + ".5\r\n";
        break;
      case 2:
        text += "  0\r\nARC\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() + "\r\n 40\r\n" +
                std::to_string(random() % 40) + ".25\r\n 50\r\n" + std::to_string(random() % 360) +
                ".5\r\n 51\r\n" + std::to_string(random() % 360) + "\r\n";
        break;
      default:
        if (random() % 20 == 0) {
          text += "  0\r\nINSERT\r\n  2\r\nB\r\n 10\r\n" + coordinate() + "\r\n 20\r\n" + coordinate() +
                  "\r\n 50\r\n" + std::to_string(random() % 4 * 90 + random() % 2 * 30) + "\r\n";
        }
        break;
    }
  }
  text += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  return text;
}

}  // namespace karvex::testing
