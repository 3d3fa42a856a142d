#include "dxf/group_pair_reader.h"

#include <exception>

#include "base/failures.h"
#include "dxf/number_conversion.h"
#include "dxf/pair_split.h"

namespace karvex {

GroupPairReader::~GroupPairReader() { StopReadingAhead(); }

void GroupPairReader::Begin(std::string_view source) {
  StopReadingAhead();
  blockPairs_.Clear();
  tape_.Clear();
  source_ = source;
  lineEnds_.Reset(source);
  beginCode_ = groupCode_;
  beginValue_ = groupValue_;
  StartAtTheBeginning();
  StartReadingAhead();
}

void GroupPairReader::Rewind() {
  StopReadingAhead();
  blockPairs_.Stop();
  StartAtTheBeginning();
  tape_.StartPlaying();
  // What the first walk kept is read back; a thread reading the text from
  // its start would only split it once more.
  if (!tape_.Playing()) StartReadingAhead();
}

void GroupPairReader::StartAtTheBeginning() {
  readPos_ = 0;
  lastProgressPos_ = 0;
  lastStop_ = ReadStop::None;
  lastStopPos_ = 0;
  currentHasReal_ = false;
  groupCode_ = beginCode_;
  groupValue_ = beginValue_;
}

void GroupPairReader::StartReadingAhead() {
  if (source_.size() >= readAheadFrom_) {
    try {
      readAhead_ = std::make_unique<PairReadAhead>(source_);
    } catch (const std::exception&) {
      // No thread or no room for its ring: the text is read all the same,
      // by the walk alone.
      readAhead_.reset();
    }
  }
}

void GroupPairReader::End() noexcept {
  StopReadingAhead();
  blockPairs_.Clear();
  tape_.Clear();
  currentHasReal_ = false;
  // The value still points into the text that is about to be released.
  if (groupValue_.data() != ErrorValue.data()) {
    try {
      keptValue_.assign(groupValue_);
    } catch (...) {
      keptValue_.clear();  // no memory for a copy: nothing reads it before the next pair
    }
    groupValue_ = keptValue_;
  }
  source_ = {};
  lineEnds_.Reset({});
}

inline void GroupPairReader::SplitHere(PairSpan& span) {
  const auto codeStart = static_cast<std::size_t>(readPos_);
  const PairSplit split = SplitPair(source_, lineEnds_, codeStart, span);
  if (split == PairSplit::Found) return;
  if (split == PairSplit::EndBeforeCode) Fail(ReadStop::EndOfText, readPos_);
  readPos_ = static_cast<std::int32_t>(span.valueStart);
  if (split == PairSplit::BadGroupCode) Fail(ReadStop::BadGroupCode, static_cast<std::int32_t>(codeStart));
  Fail(ReadStop::EndOfText, readPos_);
}

void GroupPairReader::ReadFromText() {
  PairSpan span;
  SplitHere(span);
  MakeCurrent(span.code, span.valueStart, span.valueEnd, span.next, 0, false);
}

PairRecord GroupPairReader::RecordHere() {
  const auto codeStart = static_cast<std::size_t>(readPos_);
  PairSpan span;
  SplitHere(span);
  return RecordOf(source_, codeStart, span);
}

void GroupPairReader::ReadIntoRecord() {
  const PairRecord pair = RecordHere();
  blockPairs_.Append(pair);
  MakeCurrent(pair);
}

void GroupPairReader::TakeOntoTape() {
  PairRecord pair;
  if (!readAhead_->Take(pair)) return ReadOntoTape();  // the thread stopped short of this pair
  // The thread converts only once far enough ahead; the tape keeps every
  // pair converted, as a block's record does.
  if (!pair.hasReal && IsConvertedAhead(pair.code)) {
    pair.hasReal = ConvertAhead(source_.substr(pair.valueStart, pair.valueEnd - pair.valueStart), source_, pair.real);
  }
  tape_.Keep(pair);
  MakeCurrent(pair);
}

void GroupPairReader::ReadOntoTape() {
  const PairRecord pair = RecordHere();
  tape_.Keep(pair);
  MakeCurrent(pair);
}

void GroupPairReader::ReportProgressAt(std::int32_t position) {
  if (sink_ != nullptr) sink_->ReportProgress(position, SourceSize());
  lastProgressPos_ = position;
}

float GroupPairReader::ConvertGroupValue() const {
  // A value kept past its request, or the failure sentinel, is read alone.
  const auto at = reinterpret_cast<std::uintptr_t>(groupValue_.data());
  const auto sourceStart = reinterpret_cast<std::uintptr_t>(source_.data());
  const bool inSource = at >= sourceStart && at - sourceStart < source_.size();
  return ConvertRealToFloat(groupValue_, inSource ? source_ : groupValue_);
}

void GroupPairReader::Fail(ReadStop why, std::int32_t where) {
  currentHasReal_ = false;
  groupCode_ = 0;
  groupValue_ = ErrorValue;
  lastStop_ = why;
  lastStopPos_ = where;
  throw SilentAbort();
}

void GroupPairReader::Restore(const SavedState& state) {
  blockPairs_.Stop();
  readPos_ = state.readPos;
  groupCode_ = state.groupCode;
  groupValue_ = state.groupValue;
  currentReal_ = state.real;
  currentHasReal_ = state.hasReal;
}

bool GroupPairReader::Seek(std::int32_t position) {
  if (position < 0 || static_cast<std::size_t>(position) > source_.size()) return false;
  readPos_ = position;
  if (recordBlockPairs_) blockPairs_.StartAt(static_cast<std::uint32_t>(position));
  return true;
}

}  // namespace karvex
