#pragma once
// Where one group pair lies in a DXF text. The reader and the thread that
// reads ahead of it both split the text here, so they cannot disagree on
// where a pair starts, ends or what its group code is.
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
// a coordinate when that was needed or could be done ahead.
struct PairRecord {
  std::uint32_t codeStart;
  std::uint32_t valueStart;
  std::uint32_t valueEnd;
  std::uint32_t next;
  std::int32_t code;
  float real;    // the value as a coordinate, when hasReal
  bool hasReal;  // false: not converted yet, or it did not convert
};

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

// The pair split at codeStart as a record, its value not yet converted.
inline PairRecord RecordOf(std::size_t codeStart, const PairSpan& span) {
  return {static_cast<std::uint32_t>(codeStart),
          static_cast<std::uint32_t>(span.valueStart),
          static_cast<std::uint32_t>(span.valueEnd),
          static_cast<std::uint32_t>(span.next),
          span.code,
          0,
          false};
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
