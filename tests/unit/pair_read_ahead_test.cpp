// The reader with a second thread splitting and converting ahead, and with
// block pairs read back from their record, against the plain reader: every
// pair, coordinate, read position, progress report and failure the same,
// whatever the walk does between (replays from further back, stops early).
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/failures.h"
#include "dxf/group_pair_reader.h"

namespace karvex {
namespace {

class ProgressLog final : public ProgressSink {
 public:
  void ReportProgress(std::int32_t num, std::int32_t denom) override { reports.emplace_back(num, denom); }
  bool AbortRequested() const override { return false; }
  std::vector<std::pair<std::int32_t, std::int32_t>> reports;
};

// One step as the walk saw it.
struct Seen {
  std::int32_t code;
  std::int64_t valueAt;  // the value's offset in the text
  std::size_t valueSize;
  std::int32_t readPos;
  std::uint32_t realBits;  // the coordinate, or a marker of why there is none
  bool operator==(const Seen&) const = default;
};

constexpr std::uint32_t kNoReal = 0xDEAD0001;
constexpr std::uint32_t kRealFailed = 0xDEAD0002;
constexpr std::uint32_t kReadFailed = 0xDEAD0003;

struct Walk {
  std::vector<Seen> seen;
  std::vector<std::pair<std::int32_t, std::int32_t>> progress;
  ReadStop stop = ReadStop::None;
  std::int32_t stopPos = 0;
};

// Reads text as the section walks do, with block replays: now and then the
// reading is saved, moved back to a pair seen before and read there for a
// while, then restored, sometimes to the same place several times. The
// random choices depend only on the seed, so both readers make the same.
Walk WalkText(const std::string& text, bool readAhead, unsigned seed, std::size_t stopAfter = SIZE_MAX) {
  ProgressLog log;
  Walk walk;
  {
    GroupPairReader reader(&log);
    reader.ReadAheadFrom(readAhead ? 0 : GroupPairReader::NeverReadAhead);
    reader.Begin(text);
    std::mt19937 random(seed);
    std::vector<std::int32_t> pairStarts;
    auto readOne = [&]() -> bool {
      const std::int32_t at = reader.ReadPos();
      try {
        reader.ReadGroupPair();
      } catch (const SilentAbort&) {
        walk.seen.push_back({reader.GroupCode(), -1, 0, reader.ReadPos(), kReadFailed});
        return false;
      }
      std::uint32_t realBits = kNoReal;
      const std::int32_t code = reader.GroupCode();
      if ((code >= 10 && code <= 59) || random() % 8 == 0) {
        try {
          const float real = reader.GroupValueAsFloat();
          std::memcpy(&realBits, &real, 4);
        } catch (const std::exception&) {
          realBits = kRealFailed;
        }
      }
      walk.seen.push_back({code, reader.GroupValue().data() - text.data(), reader.GroupValue().size(),
                           reader.ReadPos(), realBits});
      pairStarts.push_back(at);
      return true;
    };
    std::size_t steps = 0;
    bool going = true;
    while (going && steps++ < stopAfter) {
      if (!pairStarts.empty() && random() % 64 == 0) {
        const GroupPairReader::SavedState saved = reader.Save();
        // Replays come back to a few places again and again, as blocks do.
        const std::size_t pick = random() % 4 == 0 ? random() % pairStarts.size() : random() % 8;
        const std::int32_t from = pairStarts[std::min(pick, pairStarts.size() - 1)];
        const int repeats = 1 + static_cast<int>(random() % 3);
        const int length = 1 + static_cast<int>(random() % 40);
        for (int r = 0; r < repeats; ++r) {
          reader.Restore(saved);
          EXPECT_TRUE(reader.Seek(from));
          for (int i = 0; i < length && readOne(); ++i) {
          }
        }
        reader.Restore(saved);
        continue;
      }
      going = readOne();
    }
    walk.stop = reader.LastStop();
    walk.stopPos = reader.LastStopPos();
    reader.End();
  }
  walk.progress = log.reports;
  return walk;
}

void ExpectSameWalks(const std::string& text, const std::string& what, std::size_t stopAfter = SIZE_MAX) {
  for (unsigned seed : {1u, 2u}) {
    const Walk plain = WalkText(text, false, seed, stopAfter);
    const Walk ahead = WalkText(text, true, seed, stopAfter);
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
    const char* end = ends[random() % 10 == 0 ? 1 + random() % 2 : 0];
    text += (code < 10 ? "  " : code < 100 ? " " : "") + std::to_string(code) + end;
    if (random() % 2 == 0) {
      text += std::to_string(static_cast<int>(random() % 100000) - 50000) + "." + std::to_string(random() % 1000000);
    } else {
      text += values[random() % std::size(values)];
    }
    text += ends[random() % 10 == 0 ? 1 + random() % 2 : 0];
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
  const Case cases[] = {
      {"empty", ""},
      {"one pair", "  0\r\nEOF\r\n"},
      {"no terminator at the end", "  0\r\nSECTION\r\n 10\r\n1.5"},
      {"ends after a group code", " 10\r\n1.5\r\n 20\r\n"},
      {"bad group code", " 10\r\n1.5\r\nxx\r\n2\r\n 20\r\n3\r\n"},
      {"long group code", "   10\r\n1.5\r\n  0010\r\n2\r\n"},
      {"lone CR line ends", " 10\r0.25\r 20\r-3\r"},
      {"mixed", MixedText(5000, 1)},
      {"large", big},
      {"large, cut inside a pair", big.substr(0, big.size() / 2 + 3)},
  };
  for (const Case& c : cases) ExpectSameWalks(c.text, c.name);
}

TEST(ReadAhead, AWalkThatStopsEarlyOrNeverComesBackEndsAtOnce) {
  // Stopped after a few pairs, far behind the thread.
  ExpectSameWalks(MixedText(200000, 4), "stopped early", 10);
  std::string text;
  for (int i = 0; i < 100000; ++i) text += " 10\r\n1.5\r\n 20\r\n-2.25\r\n";
  // Gone off to an earlier place for good: the thread fills its ring and
  // waits; ending the request must not.
  ProgressLog log;
  GroupPairReader reader(&log);
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

TEST(ReadAhead, CorpusDrawingsReadTheSame) {
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
}  // namespace karvex
