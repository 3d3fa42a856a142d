#pragma once
// Lines of a DXF text as the group-pair reader sees them: a line ends at
// CR LF, at a lone LF or at a lone CR. For messages that name a line.
#include <cstdint>
#include <string>
#include <string_view>

namespace karvex::tools {

// The 1-based number of the line that holds the byte at pos (pos may be the
// text's size: the line after the last terminator).
std::int64_t LineNumberAt(std::string_view text, std::int64_t pos);

// How many lines the text holds: a last line without a terminator counts,
// an empty line after the last terminator does not.
std::int64_t LineCount(std::string_view text);

// The line that starts at pos, without its terminator.
std::string_view LineAt(std::string_view text, std::int64_t pos);

// The text's last line (see LineCount), without its terminator.
std::string_view LastLine(std::string_view text);

// A line as a message quotes it: at most maxBytes bytes, bytes outside
// printable ASCII as \xHH, "..." when cut.
std::string QuotedLine(std::string_view line, std::size_t maxBytes = 40);

struct LineEndCounts {
  std::int64_t crlf = 0;
  std::int64_t lf = 0;
  std::int64_t cr = 0;
};

LineEndCounts CountLineEnds(std::string_view text);
// "CR LF", "LF", "CR", "mixed (12 CR LF, 3 LF)" or "none".
std::string DescribeLineEnds(const LineEndCounts& counts);

}  // namespace karvex::tools
