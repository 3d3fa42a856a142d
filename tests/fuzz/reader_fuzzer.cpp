// Walks arbitrary bytes with the plain reader (every pair split from the
// text) and with the reader that takes pairs from a second thread reading
// ahead and from the records of replayed blocks, making the same block
// replays in both, and once more reading back what a first walk of the same
// choices kept (all of it or its start): any difference in a pair, coordinate, read position,
// progress report or failure is a finding, as is any crash, sanitizer report
// or hang.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/reader_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > INT32_MAX) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const unsigned seed = static_cast<unsigned>(size) * 2654435761u;
  const karvex::testing::ReaderWalk plain = karvex::testing::WalkReader(text, false, seed);
  const karvex::testing::ReaderWalk ahead = karvex::testing::WalkReader(text, true, seed);
  if (!(plain == ahead)) __builtin_trap();
  const std::size_t keptSteps = seed % 2 == 0 ? SIZE_MAX : 1 + seed % 4096;
  const karvex::testing::ReaderWalk rewound = karvex::testing::WalkReader(text, false, seed, SIZE_MAX, {}, keptSteps);
  if (!(plain == rewound)) __builtin_trap();
  return 0;
}
