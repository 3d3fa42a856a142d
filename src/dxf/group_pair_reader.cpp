#include "dxf/group_pair_reader.h"

#include "base/failures.h"
#include "dxf/number_conversion.h"

namespace karvex {
namespace {

// Group codes are written right-aligned in three columns: blanks, then up
// to three digits. Anything else goes through the full integer conversion.
bool ParseShortGroupCode(std::string_view line, std::int32_t& code) {
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

}  // namespace

void GroupPairReader::Begin(std::string_view source) {
  source_ = source;
  lineEnds_.Reset(source);
  readPos_ = 0;
  lastProgressPos_ = 0;
  lastStop_ = ReadStop::None;
  lastStopPos_ = 0;
}

void GroupPairReader::End() {
  // The value still points into the text that is about to be released.
  if (groupValue_.data() != ErrorValue.data()) {
    keptValue_.assign(groupValue_);
    groupValue_ = keptValue_;
  }
  source_ = {};
  lineEnds_.Reset({});
}

// A line ends at CR LF, at a lone LF or at a lone CR, and only the
// terminator is passed over: this is where the line ending at end (a CR, an
// LF or the end of the text) is followed by the next one. A last line that
// reaches the end of the text without a terminator is still a line; a line
// that would start at the end is not.
std::size_t GroupPairReader::LineAfter(std::size_t end) const {
  const std::size_t size = source_.size();
  if (end == size) return size;
  const char* text = source_.data();
  return end + (text[end] == '\r' && end + 1 < size && text[end + 1] == '\n' ? 2 : 1);
}

void GroupPairReader::ReadGroupPair() {
  // Positions are kept in locals and stored once: the usual pair costs two
  // line searches and a three-column group code, nothing more.
  const std::size_t size = source_.size();
  const auto codeStart = static_cast<std::size_t>(readPos_);
  if (codeStart >= size) Fail(ReadStop::EndOfText, readPos_);
  const std::size_t codeEnd = lineEnds_.NextLineEnd(codeStart);
  const std::size_t valueStart = LineAfter(codeEnd);
  const std::string_view codeLine(source_.data() + codeStart, codeEnd - codeStart);
  std::int32_t code;
  if (!ParseShortGroupCode(codeLine, code)) {
    readPos_ = static_cast<std::int32_t>(valueStart);
    std::optional<std::int32_t> parsed = ParseInteger(codeLine);
    if (!parsed) Fail(ReadStop::BadGroupCode, static_cast<std::int32_t>(codeStart));
    code = *parsed;
  }
  if (valueStart >= size) {
    readPos_ = static_cast<std::int32_t>(valueStart);
    Fail(ReadStop::EndOfText, readPos_);
  }
  const std::size_t valueEnd = lineEnds_.NextLineEnd(valueStart);
  const auto next = static_cast<std::int32_t>(LineAfter(valueEnd));
  groupCode_ = code;
  groupValue_ = std::string_view(source_.data() + valueStart, valueEnd - valueStart);
  readPos_ = next;
  if (next % ProgressDivisor == 0 && next >= lastProgressPos_) {
    if (sink_ != nullptr) sink_->ReportProgress(next, SourceSize());
    lastProgressPos_ = next;
  }
}

float GroupPairReader::GroupValueAsFloat() const {
  // A value kept past its request, or the failure sentinel, is read alone.
  const auto at = reinterpret_cast<std::uintptr_t>(groupValue_.data());
  const auto sourceStart = reinterpret_cast<std::uintptr_t>(source_.data());
  const bool inSource = at >= sourceStart && at - sourceStart < source_.size();
  const char* readableEnd = inSource ? source_.data() + source_.size() : groupValue_.data() + groupValue_.size();
  return ConvertRealToFloat(groupValue_, readableEnd);
}

void GroupPairReader::Fail(ReadStop why, std::int32_t where) {
  groupCode_ = 0;
  groupValue_ = ErrorValue;
  lastStop_ = why;
  lastStopPos_ = where;
  throw SilentAbort();
}

void GroupPairReader::Restore(const SavedState& state) {
  readPos_ = state.readPos;
  groupCode_ = state.groupCode;
  groupValue_ = state.groupValue;
}

bool GroupPairReader::Seek(std::int32_t position) {
  if (position < 0 || static_cast<std::size_t>(position) > source_.size()) return false;
  readPos_ = position;
  return true;
}

}  // namespace karvex
