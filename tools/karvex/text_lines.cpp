#include "karvex/text_lines.h"

#include <cstdio>
#include <cstring>

namespace karvex::tools {
namespace {

// Calls count(kind) for each terminator that ends before limit; kind is
// 0 for CR LF, 1 for LF, 2 for CR. A CR LF counts where its LF is.
template <typename Count>
void ForEachTerminator(std::string_view text, std::size_t limit, Count count) {
  const char* data = text.data();
  std::size_t i = 0;
  while (i < limit) {
    const void* found = std::memchr(data + i, '\n', limit - i);
    const std::size_t lf = found == nullptr ? limit : static_cast<std::size_t>(static_cast<const char*>(found) - data);
    // Lone CRs between i and the LF (or the limit).
    for (const char* cr = static_cast<const char*>(std::memchr(data + i, '\r', lf - i)); cr != nullptr;) {
      const auto at = static_cast<std::size_t>(cr - data);
      const bool beforeLf = at + 1 < text.size() && data[at + 1] == '\n';
      if (!beforeLf) count(2);
      const std::size_t next = at + 1;
      cr = next < lf ? static_cast<const char*>(std::memchr(data + next, '\r', lf - next)) : nullptr;
    }
    if (lf >= limit) break;
    count(lf > 0 && data[lf - 1] == '\r' ? 0 : 1);
    i = lf + 1;
  }
}

}  // namespace

std::int64_t LineNumberAt(std::string_view text, std::int64_t pos) {
  if (pos < 0) pos = 0;
  const std::size_t limit = std::min(static_cast<std::size_t>(pos), text.size());
  std::int64_t terminators = 0;
  ForEachTerminator(text, limit, [&](int) { ++terminators; });
  return terminators + 1;
}

std::int64_t LineCount(std::string_view text) {
  if (text.empty()) return 0;
  std::int64_t terminators = 0;
  ForEachTerminator(text, text.size(), [&](int) { ++terminators; });
  const char last = text.back();
  return terminators + (last == '\n' || last == '\r' ? 0 : 1);
}

std::string_view LineAt(std::string_view text, std::int64_t pos) {
  if (pos < 0 || static_cast<std::size_t>(pos) >= text.size()) return {};
  const std::string_view rest = text.substr(static_cast<std::size_t>(pos));
  return rest.substr(0, rest.find_first_of("\r\n"));
}

std::string_view LastLine(std::string_view text) {
  std::size_t end = text.size();
  // Leave out the last terminator: CR LF, LF or CR.
  if (end > 0 && text[end - 1] == '\n') {
    --end;
    if (end > 0 && text[end - 1] == '\r') --end;
  } else if (end > 0 && text[end - 1] == '\r') {
    --end;
  }
  if (end == 0) return {};
  const std::size_t terminator = text.find_last_of("\r\n", end - 1);
  const std::size_t from = terminator == std::string_view::npos ? 0 : terminator + 1;
  return text.substr(from, end - from);
}

std::string QuotedLine(std::string_view line, std::size_t maxBytes) {
  std::string out = "\"";
  for (std::size_t i = 0; i < line.size() && i < maxBytes; ++i) {
    const auto byte = static_cast<unsigned char>(line[i]);
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\') {
      out += static_cast<char>(byte);
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    }
  }
  if (line.size() > maxBytes) out += "...";
  out += '"';
  return out;
}

LineEndCounts CountLineEnds(std::string_view text) {
  LineEndCounts counts;
  ForEachTerminator(text, text.size(), [&](int kind) {
    if (kind == 0) ++counts.crlf;
    if (kind == 1) ++counts.lf;
    if (kind == 2) ++counts.cr;
  });
  return counts;
}

std::string DescribeLineEnds(const LineEndCounts& counts) {
  const int kinds = (counts.crlf > 0) + (counts.lf > 0) + (counts.cr > 0);
  if (kinds == 0) return "none";
  if (kinds == 1) return counts.crlf > 0 ? "CR LF" : counts.lf > 0 ? "LF" : "CR";
  std::string out = "mixed (";
  const char* separator = "";
  auto add = [&](std::int64_t n, const char* name) {
    if (n == 0) return;
    out += separator + std::to_string(n) + " " + name;
    separator = ", ";
  };
  add(counts.crlf, "CR LF");
  add(counts.lf, "LF");
  add(counts.cr, "CR");
  return out + ")";
}

}  // namespace karvex::tools
