#include "dxf/group_pair_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/failures.h"
#include "dxf/line_end_index.h"
#include "support/progress_recorder.h"

namespace karvex {
namespace {

using karvex::testing::ProgressRecorder;

// Reads pairs until the reader fails; returns them as "code|value", with
// "fail" for the failure.
std::vector<std::string> ReadAll(const std::string& text) {
  GroupPairReader reader;
  reader.Begin(text);
  std::vector<std::string> pairs;
  for (;;) {
    try {
      reader.ReadGroupPair();
      pairs.push_back(std::to_string(reader.GroupCode()) + "|" + std::string(reader.GroupValue()));
    } catch (const SilentAbort&) {
      EXPECT_TRUE(reader.Is(0, "Error"));
      pairs.emplace_back("fail");
      return pairs;
    }
  }
}

using Pairs = std::vector<std::string>;

struct ReaderCase {
  const char* name;
  std::string text;
  Pairs expected;
};

TEST(GroupPairReader, ReadsPairsByTheLineRules) {
  const ReaderCase cases[] = {
      {"crlf", "  0\r\nSECTION\r\n", {"0|SECTION", "fail"}},
      {"value keeps its blanks", "  0\r\nSECTION \r\n", {"0|SECTION ", "fail"}},
      {"empty value", "  1\r\n\r\n", {"1|", "fail"}},
      {"empty group code line fails", "\r\nSECTION\r\n", {"fail"}},
      {"trailing blank on a group code fails", "0 \r\nX\r\n", {"fail"}},
      {"leading blanks convert", "   8\r\nX\r\n", {"8|X", "fail"}},
      {"1x fails", "1x\r\nX\r\n", {"fail"}},
      {"three columns", "100\r\nA\r\n 62\r\nB\r\n  8\r\nC\r\n", {"100|A", "62|B", "8|C", "fail"}},
      {"blank between digits fails", "1 2\r\nX\r\n", {"fail"}},
      {"blank after one digit fails", " 1 \r\nX\r\n", {"fail"}},
      {"signed code by the full conversion", "-10\r\nX\r\n+5\r\nY\r\n", {"-10|X", "5|Y", "fail"}},
      {"long code by the full conversion", "  1071\r\nX\r\n", {"1071|X", "fail"}},
      {"lf only", "  0\nSECTION\n  2\nHEADER\n", {"0|SECTION", "2|HEADER", "fail"}},
      {"lone cr", "  0\rSECTION\r 10\r1.5\r", {"0|SECTION", "10|1.5", "fail"}},
      {"mixed ends", "  0\r\nA\n  0\rB\r\n", {"0|A", "0|B", "fail"}},
      {"last line without terminator", "  0\r\nEOF", {"0|EOF", "fail"}},
      {"text ends inside a pair", "  0\r\nEOF\r\n  0\r\n", {"0|EOF", "fail"}},
      {"value line missing at the end", "  0", {"fail"}},
      {"empty text", "", {"fail"}},
      {"cr cr lf is a lone cr then an empty line", "  1\r\r\n", {"1|", "fail"}},
  };
  for (const ReaderCase& c : cases) {
    EXPECT_EQ(ReadAll(c.text), c.expected) << c.name;
  }
}

TEST(GroupPairReader, PositionFollowsTheTerminators) {
  GroupPairReader reader;
  const std::string text = "  0\r\nSECTION\r\n  2\nX\n";
  reader.Begin(text);
  reader.ReadGroupPair();
  EXPECT_EQ(reader.ReadPos(), 14);
  reader.ReadGroupPair();
  EXPECT_EQ(reader.ReadPos(), 20);
}

TEST(GroupPairReader, FailedGroupCodeLeavesPositionAfterIt) {
  GroupPairReader reader;
  const std::string text = "1x\r\nvalue\r\n";
  reader.Begin(text);
  EXPECT_THROW(reader.ReadGroupPair(), SilentAbort);
  EXPECT_EQ(reader.ReadPos(), 4);
  EXPECT_TRUE(reader.Is(0, "Error"));
  EXPECT_EQ(reader.LastStop(), ReadStop::BadGroupCode);
  EXPECT_EQ(reader.LastStopPos(), 0);
}

// A text of pairs (999, comment) whose value lengths put the end of chosen
// pairs on exact positions.
std::string PairEndingAt(std::int32_t position, std::int32_t from) {
  // "999\r\n" + value + "\r\n": 7 bytes plus the value.
  const std::int32_t valueLength = position - from - 7;
  return "999\r\n" + std::string(static_cast<std::size_t>(valueLength), 'x') + "\r\n";
}

TEST(GroupPairReader, ReportsProgressOnlyAtMultiplesOf1000) {
  ProgressRecorder progress;
  GroupPairReader reader(&progress);
  std::string text = PairEndingAt(999, 0);
  text += PairEndingAt(2001, 999);
  text += PairEndingAt(3000, 2001);
  reader.Begin(text);
  reader.ReadGroupPair();
  reader.ReadGroupPair();
  reader.ReadGroupPair();
  EXPECT_EQ(progress.reports, (std::vector<std::pair<std::int32_t, std::int32_t>>{{3000, 3000}}));
  EXPECT_EQ(reader.LastProgressPos(), 3000);
}

TEST(GroupPairReader, NoReportBelowTheLastReportedPositionButEqualIsReportedAgain) {
  ProgressRecorder progress;
  GroupPairReader reader(&progress);
  std::string text = PairEndingAt(1000, 0) + PairEndingAt(2000, 1000);
  reader.Begin(text);
  reader.ReadGroupPair();
  reader.ReadGroupPair();
  ASSERT_TRUE(reader.Seek(0));  // a block replay reading an earlier stretch
  reader.ReadGroupPair();
  reader.ReadGroupPair();
  EXPECT_EQ(progress.reports,
            (std::vector<std::pair<std::int32_t, std::int32_t>>{{1000, 2000}, {2000, 2000}, {2000, 2000}}));
}

TEST(GroupPairReader, SeekRefusesPositionsOutsideTheText) {
  GroupPairReader reader;
  const std::string text = "  0\r\nEOF\r\n";
  reader.Begin(text);
  EXPECT_FALSE(reader.Seek(-1));
  EXPECT_FALSE(reader.Seek(11));
  EXPECT_TRUE(reader.Seek(10));
}

TEST(GroupPairReader, CurrentPairOutlivesTheRequestText) {
  GroupPairReader reader;
  {
    std::string text = "  2\r\nKEPT\r\n";
    reader.Begin(text);
    reader.ReadGroupPair();
    reader.End();
    text.assign(text.size(), '#');
  }
  EXPECT_TRUE(reader.Is(2, "KEPT"));
}

// Where each line of text[from, end) ends, by the rules applied byte by
// byte: a line ends at the first CR or LF, or at the end of the text.
// Each line as its end and where the next one starts.
struct LineSpan {
  std::size_t end;
  std::size_t next;
};

std::vector<LineSpan> ReferenceLines(const std::string& text, std::size_t from) {
  std::vector<LineSpan> lines;
  std::size_t pos = from;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    if (end == text.size()) {
      pos = end;
    } else {
      pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    lines.push_back({end, pos});
  }
  return lines;
}

// Lines of every length (some longer than the 64-byte blocks the search
// works in) with every kind of terminator; with group code lines, only
// terminators that end one line each, so that the pairs stay paired.
std::string RandomLines(std::mt19937& random, bool groupCodeLines) {
  const char* const terminators[] = {"\r\n", "\n", "\r", "\r\r\n", "\n\r"};
  const std::size_t terminatorKinds = groupCodeLines ? 3 : std::size(terminators);
  std::string text;
  const int lineCount = static_cast<int>(random() % 40);
  for (int i = 0; i < lineCount; ++i) {
    if (groupCodeLines) text += " 1\r\n";
    const std::size_t length = random() % 4 == 0 ? random() % 150 : random() % 12;
    for (std::size_t j = 0; j < length; ++j) text += static_cast<char>(' ' + random() % 94);
    text += terminators[random() % terminatorKinds];
  }
  return text;
}

// A heap copy of exactly text's bytes, so that the sanitizers see any read
// past its end.
struct ExactCopy {
  explicit ExactCopy(const std::string& text) : bytes(new char[text.size() + (text.empty() ? 1 : 0)]), size(text.size()) {
    std::copy(text.begin(), text.end(), bytes.get());
  }
  std::string_view View() const { return {bytes.get(), size}; }
  std::unique_ptr<char[]> bytes;
  std::size_t size;
};

TEST(LineEndIndex, FindsEachLineEndFromAnyPosition) {
  std::mt19937 random(7);
  for (int round = 0; round < 500; ++round) {
    std::string text = RandomLines(random, false);
    text.resize(text.empty() ? 0 : random() % (text.size() + 1));
    const std::size_t from = text.empty() ? 0 : random() % text.size();
    const ExactCopy exact(text);
    LineEndIndex index;
    index.Reset(exact.View());
    // Jumping back to an earlier block must work as well as moving on.
    if (!text.empty()) (void)index.NextLineEnd(text.size() - 1);
    std::size_t pos = from;
    for (const LineSpan& line : ReferenceLines(text, from)) {
      ASSERT_EQ(index.NextLineEnd(pos), line.end) << "round " << round << ", line from " << pos;
      pos = line.next;
    }
  }
}

// The values the reader gives are the lines the byte rules find, whatever
// the mix of terminators, up to the text's last byte.
TEST(GroupPairReader, ValuesAreTheLinesTheByteRulesFind) {
  std::mt19937 random(9);
  for (int round = 0; round < 300; ++round) {
    std::string text = RandomLines(random, true);
    text.resize(text.empty() ? 0 : random() % (text.size() + 1));
    const ExactCopy exact(text);
    GroupPairReader reader;
    reader.Begin(exact.View());
    const std::vector<LineSpan> lines = ReferenceLines(text, 0);
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
      reader.ReadGroupPair();
      const std::size_t valueStart = lines[i].next;
      ASSERT_EQ(reader.GroupValue(), std::string_view(text).substr(valueStart, lines[i + 1].end - valueStart))
          << round;
      ASSERT_EQ(static_cast<std::size_t>(reader.ReadPos()), lines[i + 1].next) << round;
    }
  }
}

TEST(LineEndMask, VectorAndWordFormsAgree) {
  std::mt19937 random(11);
  const char alphabet[] = {'\r', '\n', '0', ' ', 'A', '\x8d', '\x8a', '\0', '\x0c', '\x0e'};
  char block[64];
  for (int round = 0; round < 20000; ++round) {
    std::uint64_t expected = 0;
    for (int i = 0; i < 64; ++i) {
      block[i] = alphabet[random() % std::size(alphabet)];
      if (block[i] == '\r' || block[i] == '\n') expected |= std::uint64_t{1} << i;
    }
    ASSERT_EQ(LineEndMaskPortable(block), expected);
    ASSERT_EQ(LineEndMask(block), expected);
  }
}

}  // namespace
}  // namespace karvex
