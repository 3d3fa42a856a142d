// The reader with a second thread splitting and converting ahead, with
// block pairs read back from their record, and rewound to read back what a
// first walk kept, against the plain reader: every pair, coordinate, read
// position, progress report and failure the same, whatever the walk does
// between (replays from further back, stops early).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/group_pair_reader.h"
#include "support/reader_walk.h"

namespace karvex::testing {
namespace {

void ExpectSameWalks(const std::string& text, const std::string& what, std::size_t stopAfter = SIZE_MAX,
                     std::chrono::milliseconds headStart = {}, std::size_t keptWalkSteps = 0,
                     bool readAhead = true) {
  for (unsigned seed : {1u, 2u}) {
    const ReaderWalk plain = WalkReader(text, false, seed, stopAfter);
    const ReaderWalk ahead = WalkReader(text, readAhead, seed, stopAfter, headStart, keptWalkSteps);
    ASSERT_EQ(plain.seen.size(), ahead.seen.size()) << what;
    for (std::size_t i = 0; i < plain.seen.size(); ++i) {
      ASSERT_EQ(plain.seen[i], ahead.seen[i]) << what << ": step " << i << ", code " << plain.seen[i].code;
    }
    EXPECT_EQ(plain.progress, ahead.progress) << what;
    EXPECT_EQ(plain.stop, ahead.stop) << what;
    EXPECT_EQ(plain.stopPos, ahead.stopPos) << what;
  }
}

// Many pairs, mixed line ends, coordinates of every form the real reading
// knows and some it refuses.
std::string MixedText(std::size_t pairs, unsigned seed) {
  std::mt19937 random(seed);
  const char* const ends[] = {"\r\n", "\n", "\r"};
  const char* const values[] = {"0.5", "-12.25", "1e3", "  7", "abc", "1e999", "0.1000000000000000055511151231257827",
                                "LINE", "", "3.4028235677973366e38", "-0", ".5"};
  std::string text;
  for (std::size_t i = 0; i < pairs; ++i) {
    const int codes[] = {0, 8, 10, 20, 11, 21, 40, 50, 51, 62, 1071};
    const int code = codes[random() % std::size(codes)];
    const char* codeEnd = ends[random() % 10 == 0 ? 1 + random() % 2 : 0];
    text += (code < 10 ? "  " : code < 100 ? " " : "") + std::to_string(code) + codeEnd;
    std::string value;
    if (random() % 2 == 0) {
      value = std::to_string(static_cast<int>(random() % 100000) - 50000) + "." + std::to_string(random() % 1000000);
    } else {
      value = values[random() % std::size(values)];
    }
    const char* valueEnd = ends[random() % 10 == 0 ? 1 + random() % 2 : 0];
    // A lone CR, an empty value and an LF would make one CR LF, and every
    // pair after it would be out of step: the walk would stop at the next
    // group code that is not one.
    if (value.empty() && std::string_view(codeEnd) == "\r") valueEnd = "\r";
    text += value + valueEnd;
  }
  return text;
}

TEST(ReadAhead, ReadsWhatThePlainReaderReads) {
  struct Case {
    const char* name;
    std::string text;
  };
  // More pairs than the thread's ring holds, so it waits for the walk.
  const std::string big = MixedText(150000, 3);
  // Every pair lines up: the walks read it to its end.
  ASSERT_EQ(WalkReader(big, false, 1).stop, ReadStop::EndOfText);
  const Case cases[] = {
      {"empty", ""},
      {"one pair", "  0\r\nEOF\r\n"},
      {"no terminator at the end", "  0\r\nSECTION\r\n 10\r\n1.5"},
      {"ends after a group code", " 10\r\n1.5\r\n 20\r\n"},
      {"bad group code", " 10\r\n1.5\r\nxx\r\n2\r\n 20\r\n3\r\n"},
      {"long group code", "   10\r\n1.5\r\n  0010\r\n2\r\n"},
      // Longer than a slot of the thread's ring can span: the walk reads on
      // by itself.
      {"group code line of 70000 blanks", " 10\r\n1.5\r\n" + std::string(70000, ' ') + "20\r\n2\r\n 11\r\n3\r\n"},
      {"lone CR line ends", " 10\r0.25\r 20\r-3\r"},
      {"mixed", MixedText(5000, 1)},
      {"large", big},
      {"large, cut inside a pair", big.substr(0, big.size() / 2 + 3)},
  };
  for (const Case& c : cases) ExpectSameWalks(c.text, c.name);
  // Given time to fill its ring first, the thread converts most values
  // ahead, and the walk reads entities' coordinates in runs: across
  // progress reports, values that did not convert, and the ring's end.
  ExpectSameWalks(big, "large, the thread far ahead", SIZE_MAX, std::chrono::milliseconds(200));
}

TEST(ReadAhead, AWalkThatStopsEarlyOrNeverComesBackEndsAtOnce) {
  // Stopped after a few pairs, far behind the thread.
  ExpectSameWalks(MixedText(200000, 4), "stopped early", 10);
  std::string text;
  for (int i = 0; i < 100000; ++i) text += " 10\r\n1.5\r\n 20\r\n-2.25\r\n";
  // Gone off to an earlier place for good: the thread fills its ring and
  // waits; ending the request must not.
  GroupPairReader reader;
  reader.ReadAheadFrom(0);
  reader.Begin(text);
  reader.ReadGroupPair();
  reader.ReadGroupPair();
  ASSERT_TRUE(reader.Seek(0));
  for (int i = 0; i < 100000; ++i) {
    reader.ReadGroupPair();
    if (reader.ReadPos() >= static_cast<std::int32_t>(text.size() / 2)) ASSERT_TRUE(reader.Seek(0));
  }
  reader.End();
  // The reader can be begun again on another text.
  const std::string small = "  0\r\nEOF\r\n";
  reader.Begin(small);
  reader.ReadGroupPair();
  EXPECT_TRUE(reader.Is(0, "EOF"));
  reader.End();
}

TEST(Rewind, ASecondWalkReadsBackWhatTheFirstKept) {
  struct Case {
    const char* name;
    std::string text;
  };
  const std::string big = MixedText(150000, 5);
  const Case cases[] = {
      {"empty", ""},
      {"bad group code", " 10\r\n1.5\r\nxx\r\n2\r\n 20\r\n3\r\n"},
      // Too long for a kept pair: the second walk reads on by itself.
      {"group code line of 70000 blanks", " 10\r\n1.5\r\n" + std::string(70000, ' ') + "20\r\n2\r\n 11\r\n3\r\n"},
      {"lone CR line ends", " 10\r0.25\r 20\r-3\r"},
      {"large", big},
      {"large, cut inside a pair", big.substr(0, big.size() / 2 + 3)},
  };
  for (const Case& c : cases) {
    for (bool readAhead : {false, true}) {
      const std::string what = std::string(c.name) + (readAhead ? ", read ahead" : "");
      // The whole walk kept; then only its start, past which the second
      // walk reads the text.
      ExpectSameWalks(c.text, what, SIZE_MAX, {}, SIZE_MAX, readAhead);
      ExpectSameWalks(c.text, what + ", the first walk stopped early", SIZE_MAX, {}, 2000, readAhead);
    }
  }
}

TEST(ReadAhead, CorpusDrawingsReadTheSame) {
  if (!std::filesystem::is_directory(KARVEX_CORPUS_DIR)) GTEST_SKIP() << "the corpus is not beside the project";
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(KARVEX_CORPUS_DIR)) {
    if (entry.path().extension() != ".dxf") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ExpectSameWalks(text, entry.path().filename().string());
    ++files;
  }
  EXPECT_GT(files, 0u) << "no drawings in " << KARVEX_CORPUS_DIR;
}

}  // namespace
}  // namespace karvex::testing
