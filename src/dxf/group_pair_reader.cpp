#include "dxf/group_pair_reader.h"

#include "base/failures.h"
#include "dxf/number_conversion.h"
#include "dxf/pair_split.h"

namespace karvex {
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

void GroupPairReader::ReadGroupPair() {
  PairSpan span;
  const PairSplit split = SplitPair(source_, lineEnds_, static_cast<std::size_t>(readPos_), span);
  if (split != PairSplit::Found) {
    if (split == PairSplit::EndBeforeCode) Fail(ReadStop::EndOfText, readPos_);
    const std::int32_t codeStart = readPos_;
    readPos_ = static_cast<std::int32_t>(span.valueStart);
    if (split == PairSplit::BadGroupCode) Fail(ReadStop::BadGroupCode, codeStart);
    Fail(ReadStop::EndOfText, readPos_);
  }
  const auto next = static_cast<std::int32_t>(span.next);
  groupCode_ = span.code;
  groupValue_ = std::string_view(source_.data() + span.valueStart, span.valueEnd - span.valueStart);
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
