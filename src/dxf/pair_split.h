#pragma once
// Where one group pair lies in a DXF text, and what it is. A pair depends on
// nothing but the text and the position its group code line starts at, so
// the reader, the thread that reads ahead of it and the records of replayed
// blocks all split and convert it here, and cannot disagree on it (see
// docs/reading.md).
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "dxf/line_end_index.h"
#include "dxf/number_conversion.h"

namespace karvex {

struct PairSpan {
  std::size_t valueStart = 0;  // also where a pair with a bad group code ends
  std::size_t valueEnd = 0;
  std::size_t next = 0;  // where the next pair starts
  std::int32_t code = 0;
};

// A pair once split, as positions in its text, with its value converted to
// a coordinate when its code is one of those converted ahead.
struct PairRecord {
  std::uint32_t codeStart;
  std::uint32_t valueStart;
  std::uint32_t valueEnd;
  std::uint32_t next;
  std::int32_t code;
  float real;    // the value as a coordinate, when hasReal
  bool hasReal;  // false: not converted (yet), or it did not convert
};

// The codes whose values the drawings read as reals (points, heights and
// radii, angles): a pair split ahead of the walk, or recorded for the next
// replay of its block, has its value converted too.
constexpr bool IsConvertedAhead(std::int32_t code) {
  return (code >= 10 && code <= 13) || (code >= 20 && code <= 23) || code == 40 || code == 50 || code == 51;
}

// The value as a coordinate, converted before anyone asks for it: true with
// real set, or false where the value does not convert (nothing is raised:
// the walk raises the failure when it asks for the value).
inline bool ConvertAhead(std::string_view value, std::string_view text, float& real) {
  try {
    real = ConvertRealToFloat(value, text);
    return true;
  } catch (...) {
    return false;
  }
}

// For each group code below 64, the field of an entity record its value
// goes to as a coordinate, or -1 where the record does not keep it.
using CoordinateFields = std::array<std::int8_t, 64>;

// The field code's value goes to, or -1 (codes of 64 and up, and negative
// ones, have none).
inline int CoordinateFieldOf(const CoordinateFields& fields, std::int32_t code) {
  return static_cast<std::uint32_t>(code) < fields.size() ? fields[static_cast<std::size_t>(code)] : -1;
}

enum class PairSplit : std::uint8_t {
  Found,
  EndBeforeCode,   // the text ends where the group code line would start
  BadGroupCode,    // the group code line is not an integer
  EndBeforeValue,  // the text ends after the group code line
};

// Group codes are written right-aligned in three columns: blanks, then up
// to three digits. Anything else goes through the full integer conversion.
inline bool ParseShortGroupCode(std::string_view line, std::int32_t& code) {
  if (line.size() == 3) {
    // The usual form, judged without a loop: "  d", " dd" or "ddd".
    const auto a = static_cast<unsigned>(static_cast<unsigned char>(line[0])) - '0';
    const auto b = static_cast<unsigned>(static_cast<unsigned char>(line[1])) - '0';
    const auto c = static_cast<unsigned>(static_cast<unsigned char>(line[2])) - '0';
    constexpr unsigned kBlank = static_cast<unsigned>(' ' - '0');  // a blank, less '0'
    const bool aBlank = a == kBlank;
    const bool bBlank = b == kBlank;
    const bool valid = c <= 9 && (b <= 9 ? (aBlank || a <= 9) : (bBlank && aBlank));
    if (!valid) return false;
    const unsigned tens = bBlank ? 0 : b;
    const unsigned hundreds = aBlank ? 0 : a;
    code = static_cast<std::int32_t>(hundreds * 100 + tens * 10 + c);
    return true;
  }
  std::size_t i = 0;
  while (i < line.size() && line[i] == ' ') ++i;
  const std::size_t digits = line.size() - i;
  if (digits == 0 || digits > 3) return false;
  std::int32_t value = 0;
  for (; i < line.size(); ++i) {
    const auto digit = static_cast<unsigned>(line[i] - '0');
    if (digit > 9) return false;
    value = value * 10 + static_cast<std::int32_t>(digit);
  }
  code = value;
  return true;
}

// A line ends at CR LF, at a lone LF or at a lone CR, and only the
// terminator is passed over: this is where the line ending at end (a CR, an
// LF or the end of the text) is followed by the next one. A last line that
// reaches the end of the text without a terminator is still a line; a line
// that would start at the end is not.
inline std::size_t LineAfter(std::string_view text, std::size_t end) {
  const std::size_t size = text.size();
  if (end == size) return size;
  return end + (text[end] == '\r' && end + 1 < size && text[end + 1] == '\n' ? 2 : 1);
}

// The pair split at codeStart as a record, its value converted where its
// code is one of those converted ahead.
inline PairRecord RecordOf(std::string_view text, std::size_t codeStart, const PairSpan& span) {
  PairRecord pair{static_cast<std::uint32_t>(codeStart),
                  static_cast<std::uint32_t>(span.valueStart),
                  static_cast<std::uint32_t>(span.valueEnd),
                  static_cast<std::uint32_t>(span.next),
                  span.code,
                  0,
                  false};
  if (IsConvertedAhead(span.code)) {
    pair.hasReal = ConvertAhead(text.substr(span.valueStart, span.valueEnd - span.valueStart), text, pair.real);
  }
  return pair;
}

// Splits the pair whose group code line starts at codeStart. lineEnds must
// index text. Positions are kept in locals: the usual pair costs two line
// searches and a three-column group code, nothing more.
inline PairSplit SplitPair(std::string_view text, LineEndIndex& lineEnds, std::size_t codeStart, PairSpan& span) {
  const std::size_t size = text.size();
  if (codeStart >= size) return PairSplit::EndBeforeCode;
  const std::size_t codeEnd = lineEnds.NextLineEnd(codeStart);
  const std::size_t valueStart = LineAfter(text, codeEnd);
  span.valueStart = valueStart;
  const std::string_view codeLine(text.data() + codeStart, codeEnd - codeStart);
  if (!ParseShortGroupCode(codeLine, span.code)) {
    const std::optional<std::int32_t> parsed = ParseInteger(codeLine);
    if (!parsed) return PairSplit::BadGroupCode;
    span.code = *parsed;
  }
  if (valueStart >= size) return PairSplit::EndBeforeValue;
  span.valueEnd = lineEnds.NextLineEnd(valueStart);
  span.next = LineAfter(text, span.valueEnd);
  return PairSplit::Found;
}

}  // namespace karvex
