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

// A line ends at CR LF, at a lone LF or at a lone CR; only the terminator is
// passed over. A last line that reaches the end of the text without a
// terminator is still a line; a line that would start at the end is not.
[[gnu::always_inline]] inline bool GroupPairReader::ReadLine(std::string_view& line) {
  const std::size_t size = source_.size();
  std::size_t pos = static_cast<std::size_t>(readPos_);
  if (pos >= size) return false;
  const char* text = source_.data();
  const std::size_t end = lineEnds_.NextLineEnd(pos);
  line = std::string_view(text + pos, end - pos);
  if (end == size) {
    readPos_ = static_cast<std::int32_t>(size);
  } else if (text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') {
    readPos_ = static_cast<std::int32_t>(end + 2);
  } else {
    readPos_ = static_cast<std::int32_t>(end + 1);
  }
  return true;
}

void GroupPairReader::ReadGroupPair() {
  const std::int32_t codeLineStart = readPos_;
  std::string_view line;
  if (!ReadLine(line)) Fail(ReadStop::EndOfText, codeLineStart);
  if (!ParseShortGroupCode(line, groupCode_)) {
    std::optional<std::int32_t> code = ParseInteger(line);
    if (!code) Fail(ReadStop::BadGroupCode, codeLineStart);
    groupCode_ = *code;
  }
  const std::int32_t valueLineStart = readPos_;
  if (!ReadLine(line)) Fail(ReadStop::EndOfText, valueLineStart);
  groupValue_ = line;

  if (readPos_ % ProgressDivisor == 0 && readPos_ >= lastProgressPos_) {
    if (sink_ != nullptr) sink_->ReportProgress(readPos_, SourceSize());
    lastProgressPos_ = readPos_;
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
