#pragma once
// A split pair in sixteen bytes, as pairs are handed from one reading to
// another (the thread that reads ahead hands them to the walk; a walk that
// measured a drawing hands them to the walk that draws it): the pair starts
// where the one before it ends, so its start is not kept. Also how such a
// handing-over gives an entity's coordinates in one run.
#include <cstddef>
#include <cstdint>

#include "dxf/pair_split.h"
#include "dxf/progress_sink.h"

namespace karvex {

struct CompactPair {
  std::uint32_t valueEnd;
  float real;  // the value as a coordinate, when hasReal
  std::int32_t code;
  std::uint16_t valueOffset;      // from the pair's start to its value
  std::uint8_t terminatorLength;  // of the value's line: 0 at the end of the text, 1 or 2
  bool hasReal;

  std::size_t Next() const { return std::size_t{valueEnd} + terminatorLength; }
};
static_assert(sizeof(CompactPair) == 16);

// The pair starting at codeStart in its record form.
inline PairRecord ExpandPair(std::size_t codeStart, const CompactPair& pair) {
  return {static_cast<std::uint32_t>(codeStart),
          static_cast<std::uint32_t>(codeStart + pair.valueOffset),
          pair.valueEnd,
          static_cast<std::uint32_t>(pair.Next()),
          pair.code,
          pair.real,
          pair.hasReal};
}

// The compact form of a record; false when it has none (a group code line
// too long for the offset).
inline bool CompactOf(const PairRecord& record, CompactPair& pair) {
  const std::size_t valueOffset = record.valueStart - record.codeStart;
  if (valueOffset > UINT16_MAX || record.next - record.valueEnd > 2) return false;
  pair.valueEnd = record.valueEnd;
  pair.real = record.real;
  pair.code = record.code;
  pair.valueOffset = static_cast<std::uint16_t>(valueOffset);
  pair.terminatorLength = static_cast<std::uint8_t>(record.next - record.valueEnd);
  pair.hasReal = record.hasReal;
  return true;
}

// Takes handed-over pairs at(taken), at(taken + 1), ... before `handed` that
// need nothing of the walk but their coordinate, if any: values[fields[code]]
// gets the converted value of each pair whose code has a field. Stops before
// a group-0 pair, a kept value that was not converted, and a pair after
// which progress is due (given the last position reported), leaving those
// to the walk. pos is where the pair at(taken) starts; both move past what
// was taken.
template <class At>
void TakeCoordinateRun(At at, std::uint64_t& taken, std::uint64_t handed, std::size_t& pos,
                       const CoordinateFields& fields, float* values, std::int32_t lastReported) {
  while (taken != handed) {
    const CompactPair& pair = at(taken);
    const std::int32_t code = pair.code;
    if (code == 0) break;
    const std::size_t next = pair.Next();
    if (ProgressDueAt(next, lastReported)) break;
    const int field = CoordinateFieldOf(fields, code);
    if (field >= 0) {
      if (!pair.hasReal) break;
      values[field] = pair.real;
    }
    pos = next;
    ++taken;
  }
}

}  // namespace karvex
