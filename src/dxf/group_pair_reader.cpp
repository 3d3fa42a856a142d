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

void GroupPairReader::StartAtTheBeginning() {
  readPos_ = 0;
  lastProgressPos_ = 0;
  lastStop_ = ReadStop::None;
  lastStopPos_ = 0;
  ForgetCurrentReal();
  groupCode_ = beginCode_;
  groupValue_ = beginValue_;
}

void GroupPairReader::Rewind() {
  StopReadingAhead();
  blockPairs_.Stop();
  StartAtTheBeginning();
  tape_.StartPlaying();
  // What the first walk kept is read back; a thread reading the text from
  // its start would only split it once more.
  if (!tape_.Playing()) StartReadingAhead();
  UpdateHandOver();
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
  UpdateHandOver();
}

void GroupPairReader::End() {
  tape_.Clear();
  StopReadingAhead();
  blockPairs_.Clear();
  ForgetCurrentReal();
  // The value still points into the text that is about to be released.
  if (groupValue_.data() != ErrorValue.data()) {
    keptValue_.assign(groupValue_);
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

inline PairRecord GroupPairReader::RecordHere() {
  const auto codeStart = static_cast<std::size_t>(readPos_);
  PairSpan span;
  SplitHere(span);
  return RecordOf(codeStart, span);
}

// MakeCurrent does the same from a record; the plain reading sets the pair
// straight from its span, which keeps it about a tenth faster.
inline void GroupPairReader::ReadHere() {
  PairSpan span;
  SplitHere(span);
  groupCode_ = span.code;
  groupValue_ = std::string_view(source_.data() + span.valueStart, span.valueEnd - span.valueStart);
  ForgetCurrentReal();
  AdvanceTo(static_cast<std::int32_t>(span.next));
}

void GroupPairReader::KeepOnTape(const PairRecord& pair) {
  if (CompactPair* kept = tape_.Keep(pair)) {
    keptReal_ = &kept->real;
    keptHasReal_ = &kept->hasReal;
  }
}

void GroupPairReader::ReadTaped() {
  PairRecord pair;
  if (CompactPair* kept = tape_.Take(static_cast<std::size_t>(readPos_), pair)) {
    MakeCurrent(pair, nullptr);
    keptReal_ = &kept->real;
    keptHasReal_ = &kept->hasReal;
    return;
  }
  if (!tape_.Recording()) {
    ReadHere();
    return;
  }
  pair = RecordHere();
  MakeCurrent(pair, nullptr);
  KeepOnTape(pair);
}

void GroupPairReader::ReadOtherPair() {
  if (!blockPairs_.Replaying()) {
    ReadHere();
    return;
  }
  // A replay reads past its record (its first time, or further back than
  // the thread hands pairs over): it splits its pairs itself and records
  // them.
  const PairRecord pair = RecordHere();
  MakeCurrent(pair, blockPairs_.Keep(pair));
}

void GroupPairReader::ReportProgressAt(std::int32_t position) {
  if (sink_ != nullptr) sink_->ReportProgress(position, SourceSize());
  lastProgressPos_ = position;
}

float GroupPairReader::ConvertAndKeepGroupValue() const {
  const float real = ConvertGroupValue();
  // Kept for the next replay of the block the pair belongs to, or for the
  // second walk.
  if (keptReal_ != nullptr) {
    *keptReal_ = real;
    *keptHasReal_ = true;
  }
  return real;
}

float GroupPairReader::ConvertGroupValue() const {
  // A value kept past its request, or the failure sentinel, is read alone.
  const auto at = reinterpret_cast<std::uintptr_t>(groupValue_.data());
  const auto sourceStart = reinterpret_cast<std::uintptr_t>(source_.data());
  const bool inSource = at >= sourceStart && at - sourceStart < source_.size();
  return ConvertRealToFloat(groupValue_, inSource ? source_ : groupValue_);
}

void GroupPairReader::Fail(ReadStop why, std::int32_t where) {
  ForgetCurrentReal();
  groupCode_ = 0;
  groupValue_ = ErrorValue;
  lastStop_ = why;
  lastStopPos_ = where;
  throw SilentAbort();
}

void GroupPairReader::Restore(const SavedState& state) {
  blockPairs_.Stop();
  ForgetCurrentReal();
  readPos_ = state.readPos;
  groupCode_ = state.groupCode;
  groupValue_ = state.groupValue;
}

bool GroupPairReader::Seek(std::int32_t position) {
  if (position < 0 || static_cast<std::size_t>(position) > source_.size()) return false;
  readPos_ = position;
  blockPairs_.StartAt(static_cast<std::uint32_t>(position));
  return true;
}

}  // namespace karvex
