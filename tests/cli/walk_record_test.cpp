// The converter's per-kind counts of what a picture drew and passed over.
#include "karvex/walk_record.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "karvex/drawing_facts.h"

namespace karvex::tools {
namespace {

// Kinds of the same length and kinds sharing a prefix, more of them than
// the record keeps at hand, met in random order in both places: every count
// must match a plain tally, and a kind counted in blocks must not leak into
// the section's counts.
TEST(WalkRecord, CountsEachKindInItsPlaceWhateverTheOrder) {
  const std::vector<std::string> kinds = {"LINE", "TEXT", "ARC",    "CIRCLE", "INSERT",   "SOLID",     "POINT",
                                          "LWPOLYLINE", "POLYLINE", "VERTEX", "SEQEND", "HATCH", "LINES", "LIN"};
  std::mt19937 random(7);
  WalkRecord record;
  KindCounts expected[2][2];  // [place][drawn, passed over]
  for (int i = 0; i < 20000; ++i) {
    // Runs of one kind, as drawings have them, and single ones between.
    const std::string& kind = kinds[random() % kinds.size()];
    const auto place = random() % 2 == 0 ? EntityPlace::Section : EntityPlace::Block;
    const bool drawn = random() % 3 != 0;
    const int run = random() % 4 == 0 ? 1 + static_cast<int>(random() % 20) : 1;
    for (int r = 0; r < run; ++r) {
      // A copy each time: kinds point into a text that moves on.
      const std::string text = kind;
      if (drawn) {
        record.OnEntityDrawn(text, place);
      } else {
        record.OnEntityPassedOver(text, place);
      }
      ++expected[place == EntityPlace::Block][drawn ? 0 : 1][kind];
    }
  }
  EXPECT_EQ(record.InSection().drawn, expected[0][0]);
  EXPECT_EQ(record.InSection().passedOver, expected[0][1]);
  EXPECT_EQ(record.InBlocks().drawn, expected[1][0]);
  EXPECT_EQ(record.InBlocks().passedOver, expected[1][1]);

  // A copy counts on by itself from the same figures.
  WalkRecord copy = record;
  copy.OnEntityDrawn("LINE", EntityPlace::Section);
  EXPECT_EQ(copy.InSection().drawn.at("LINE"), expected[0][0]["LINE"] + 1);
  EXPECT_EQ(record.InSection().drawn.at("LINE"), expected[0][0]["LINE"]);
}

TEST(WalkRecord, KindsBeyondTheFirstFewShareOneCount) {
  WalkRecord record;
  for (std::size_t i = 0; i < kMostKinds + 3; ++i) {
    record.OnEntityPassedOver("KIND" + std::to_string(i), EntityPlace::Section);
  }
  // Counted again after the shared count took them: still shared.
  record.OnEntityPassedOver("KIND" + std::to_string(kMostKinds + 1), EntityPlace::Section);
  const KindCounts& counts = record.InSection().passedOver;
  EXPECT_EQ(counts.size(), kMostKinds + 1);
  EXPECT_EQ(counts.at(kOtherKinds), 4);
  EXPECT_EQ(counts.at("KIND0"), 1);
}

}  // namespace
}  // namespace karvex::tools
