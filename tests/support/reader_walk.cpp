#include "support/reader_walk.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <random>
#include <thread>

#include "base/failures.h"
#include "support/progress_recorder.h"

namespace karvex::testing {
ReaderWalk WalkReader(std::string_view text, bool readAhead, unsigned seed,
                      std::size_t stopAfter,
                      std::chrono::milliseconds headStart,
                      std::size_t keptWalkSteps) {
  // The plain reader reads the text alone: no thread ahead, no records of
  // replayed blocks, no kept walk.
  ProgressRecorder log;
  ReaderWalk walk;
  {
    GroupPairReader reader(&log);
    reader.ReadAheadFrom(readAhead ? 0 : GroupPairReader::NeverReadAhead);
    reader.RecordBlockPairs(readAhead || keptWalkSteps > 0);
    reader.Begin(text);
    if (readAhead)
      std::this_thread::sleep_for(headStart);
    // Entities are read in runs where a run can be taken.
    const bool inRuns = readAhead || keptWalkSteps > 0;
    auto walkOnce = [&](std::size_t stopAfter) {
      std::mt19937 random(seed);
      std::vector<std::int32_t> pairStarts;
      // The current pair as the walk sees it.
      auto recordCurrent = [&] {
        std::uint32_t realBits = kNoReal;
        const std::int32_t code = reader.GroupCode();
        if ((code >= 10 && code <= 59) || random() % 8 == 0) {
          try {
            const float real = reader.GroupValueAsFloat();
            std::memcpy(&realBits, &real, 4);
          } catch (const std::exception &) {
            realBits = kRealFailed;
          }
        }
        walk.seen.push_back({code, reader.GroupValue().data() - text.data(),
                             reader.GroupValue().size(), reader.ReadPos(),
                             realBits});
      };
      auto readOne = [&]() -> bool {
        const std::int32_t at = reader.ReadPos();
        try {
          reader.ReadGroupPair();
        } catch (const SilentAbort &) {
          walk.seen.push_back(
              {reader.GroupCode(), -1, 0, reader.ReadPos(), kReadFailed});
          return false;
        }
        recordCurrent();
        pairStarts.push_back(at);
        return true;
      };
      // From a group-0 pair, an entity's coordinates up to the next group-0
      // pair: at once where the thread reads ahead, pair by pair otherwise.
      auto collectEntity = [&]() -> bool {
        static constexpr CoordinateFields kFields = [] {
          CoordinateFields fields{};
          fields.fill(-1);
          fields[10] = 0;
          fields[20] = 1;
          fields[11] = 2;
          fields[21] = 3;
          fields[40] = 4;
          return fields;
        }();
        float values[5] = {0, 0, 0, 0, 0};
        try {
          if (inRuns) {
            reader.ReadCoordinatesToNextEntity(kFields, values);
          } else {
            do {
              reader.ReadGroupPair();
              const std::int32_t code = reader.GroupCode();
              if (code >= 0 && code < 64 &&
                  kFields[static_cast<std::size_t>(code)] >= 0) {
                values[kFields[static_cast<std::size_t>(code)]] =
                    reader.GroupValueAsFloat();
              }
            } while (reader.GroupCode() != 0);
          }
        } catch (const SilentAbort &) {
          walk.seen.push_back(
              {reader.GroupCode(), -1, 0, reader.ReadPos(), kReadFailed});
          return false;
        } catch (const std::exception &) {
          // A value that does not convert stops the entity with its pair
          // current.
          walk.seen.push_back(
              {reader.GroupCode(), reader.GroupValue().data() - text.data(),
               reader.GroupValue().size(), reader.ReadPos(), kRealFailed});
          return true;
        }
        for (const float value : values) {
          std::uint32_t bits;
          std::memcpy(&bits, &value, 4);
          walk.seen.push_back({kCollected, 0, 0, 0, bits});
        }
        recordCurrent();
        return true;
      };
      std::size_t steps = 0;
      bool going = true;
      while (going && steps++ < stopAfter) {
        if (!pairStarts.empty() && random() % 64 == 0) {
          const GroupPairReader::SavedState saved = reader.Save();
          // Replays come back to a few places again and again, as blocks do.
          const std::size_t pick =
              random() % 4 == 0 ? random() % pairStarts.size() : random() % 8;
          const std::int32_t from =
              pairStarts[std::min(pick, pairStarts.size() - 1)];
          const int repeats = 1 + static_cast<int>(random() % 3);
          const int length = 1 + static_cast<int>(random() % 40);
          for (int r = 0; r < repeats; ++r) {
            reader.Restore(saved);
            if (!reader.Seek(from)) {
              walk.seen.push_back({0, -1, 0, from, kSeekRefused});
              break;
            }
            for (int i = 0; i < length && readOne(); ++i) {
            }
          }
          reader.Restore(saved);
          continue;
        }
        going = reader.GroupCode() == 0 && random() % 2 == 0 ? collectEntity()
                                                             : readOne();
      }
      walk.stop = reader.LastStop();
      walk.stopPos = reader.LastStopPos();
    };
    if (keptWalkSteps > 0) {
      // The same walk, or the start of it, keeps its pairs; what it saw is
      // not written down.
      reader.KeepPairsForRewind();
      walkOnce(keptWalkSteps);
      walk = ReaderWalk{};
      log.reports.clear();
      reader.Rewind();
    }
    walkOnce(stopAfter);
    reader.End();
  }
  walk.progress = log.reports;
  return walk;
}

} // namespace karvex::testing
