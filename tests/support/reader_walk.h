#pragma once
// A reader walked as the section walks walk it, block replays included,
// with everything it showed written down: for comparing the plain reader,
// which splits every pair from the text, with the one that takes pairs from
// a second thread reading ahead and from the records of replayed blocks.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "dxf/group_pair_reader.h"

namespace karvex::testing {

// One step as the walk saw it.
struct SeenPair {
  std::int32_t code;
  std::int64_t valueAt;  // the value's offset in the text; -1 after a failed read
  std::size_t valueSize;
  std::int32_t readPos;
  std::uint32_t realBits;  // the coordinate's bits, or one of the markers below
  bool operator==(const SeenPair&) const = default;
};

constexpr std::uint32_t kNoReal = 0xDEAD0001;
constexpr std::uint32_t kRealFailed = 0xDEAD0002;
constexpr std::uint32_t kReadFailed = 0xDEAD0003;
constexpr std::uint32_t kSeekRefused = 0xDEAD0004;
// The code of a step that is an entity's coordinate, read with the others up
// to the next group-0 pair.
constexpr std::int32_t kCollected = -1000;

struct ReaderWalk {
  std::vector<SeenPair> seen;
  std::vector<std::pair<std::int32_t, std::int32_t>> progress;
  ReadStop stop = ReadStop::None;
  std::int32_t stopPos = 0;
  bool operator==(const ReaderWalk&) const = default;
};

// Reads text pair by pair; now and then the reading is saved, moved back to
// a pair seen before and read there for a while, then restored, sometimes
// to the same place several times, as block replays do. The choices depend
// only on seed and on what is read, so two readers that read the same make
// the same choices. From a group-0 pair the walk now and then reads an
// entity's coordinates up to the next group-0 pair: a reader that reads
// ahead (readAhead: the thread and the block records on) reads them with
// ReadCoordinatesToNextEntity, the plain one pair by pair: the former must
// give what the latter gives. Stops at the first
// failed read or after stopAfter steps. headStart: how long the thread
// reading ahead is left alone before the walk begins, so that it gets far
// enough ahead to convert values too. keptWalkSteps: a first walk of this
// many steps (the same choices) keeps its pairs, the reader is rewound, and
// the walk written down reads them back, in runs where it can.
ReaderWalk WalkReader(std::string_view text, bool readAhead, unsigned seed, std::size_t stopAfter = SIZE_MAX,
                      std::chrono::milliseconds headStart = {}, std::size_t keptWalkSteps = 0);

}  // namespace karvex::testing
