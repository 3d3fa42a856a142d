#pragma once
// The one reader every section walk uses: it works in place on the DXF text
// held in memory, keeps the current group pair, and reports progress.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dxf/block_pair_records.h"
#include "dxf/line_end_index.h"
#include "dxf/pair_read_ahead.h"
#include "dxf/pair_split.h"
#include "dxf/pair_tape.h"
#include "dxf/progress_sink.h"

namespace karvex {

// Why the last read failed, for diagnostics.
enum class ReadStop : std::uint8_t {
  None,
  EndOfText,     // the text ended before a pair was complete
  BadGroupCode,  // a group code line that is not an integer
};

class GroupPairReader {
 public:
  static constexpr std::int32_t ProgressDivisor = 1000;

  // The sentinel value left current after a failed read.
  static constexpr std::string_view ErrorValue = "Error";

  // Where a replay can come back to.
  struct SavedState {
    std::int32_t readPos;
    std::int32_t groupCode;
    std::string_view groupValue;
  };

  static constexpr std::size_t NeverReadAhead = SIZE_MAX;

  explicit GroupPairReader(ProgressSink* sink = nullptr) : sink_(sink) {}
  ~GroupPairReader();
  GroupPairReader(const GroupPairReader&) = delete;
  GroupPairReader& operator=(const GroupPairReader&) = delete;

  // Texts of at least fromSize bytes are split into pairs, and their
  // coordinates converted, on a second thread ahead of the reading (for
  // the requests that begin from now on). What is read stays the same; only
  // worth it where a second processor is free. NeverReadAhead by default.
  void ReadAheadFrom(std::size_t fromSize) { readAheadFrom_ = fromSize; }

  // Starts a request on a text that stays alive until End() (or until the
  // reader is destroyed). ReadPos and LastProgressPos start at 0; the
  // current pair carries over.
  void Begin(std::string_view source);
  // Ends the request; the current pair is kept (copied) for the next one.
  void End();
  // The walk about to start will be followed by a second one over the same
  // text (Rewind): its pairs, with the coordinates converted from them, are
  // kept for the second walk to read back.
  void KeepPairsForRewind() {
    tape_.StartRecording();
    UpdateHandOver();
  }
  // Starts the same text again, for a second walk of the same request: the
  // position, the progress reports, the current pair and the last failure
  // are as Begin left them. What the first walk learned of the text (its
  // pairs, the pairs of replayed blocks) is read back where the second walk
  // reads the same.
  void Rewind();

  // Reads the next pair into GroupCode and GroupValue. On a malformed or
  // missing pair it leaves (0, "Error") current and raises SilentAbort.
  void ReadGroupPair() {
    // The usual reads of a large text are taken here, inline: the pair the
    // thread hands over to the walk, the recorded pair a block replay reads
    // back, and the kept pair a second walk reads back.
    const auto codeStart = static_cast<std::uint32_t>(readPos_);
    if (blockPairs_.Replaying()) {
      if (PairRecord* recorded = blockPairs_.Find(codeStart)) {
        MakeCurrent(*recorded, recorded);
        return;
      }
    } else if (handsOver_) {
      PairRecord pair;
      if (readAhead_ != nullptr && readAhead_->Take(codeStart, pair)) {
        MakeCurrent(pair, nullptr);
        if (tape_.Recording()) KeepOnTape(pair);
        return;
      }
      if (tape_.InUse()) {
        ReadTaped();
        return;
      }
    }
    ReadOtherPair();
  }

  // From an entity's group-0 pair: reads on up to the next group-0 pair,
  // which it leaves current. For each pair on the way whose code has a
  // field in fields, values[field] gets its GroupValueAsFloat. All is as
  // reading the pairs one by one would leave it, progress reports and
  // failures included. The pairs the thread reading ahead has handed over
  // are taken in runs, without making each one current.
  void ReadCoordinatesToNextEntity(const CoordinateFields& fields, float* values) {
    for (;;) {
      if (handsOver_ && !blockPairs_.Replaying()) {
        // The pair current until now is left behind: the next read replaces it.
        readPos_ = static_cast<std::int32_t>(TakeCoordinateRun(static_cast<std::size_t>(readPos_), fields, values));
      }
      ReadGroupPair();
      if (groupCode_ == 0) return;
      const int field = CoordinateFieldOf(fields, groupCode_);
      if (field >= 0) values[field] = GroupValueAsFloat();
    }
  }

  std::int32_t GroupCode() const { return groupCode_; }
  std::string_view GroupValue() const { return groupValue_; }
  std::int32_t ReadPos() const { return readPos_; }
  std::int32_t LastProgressPos() const { return lastProgressPos_; }
  std::int32_t SourceSize() const { return static_cast<std::int32_t>(source_.size()); }
  std::string_view Source() const { return source_; }

  // The current value as a coordinate (ConvertRealToFloat). The text around
  // it is read too where it is still the request's text.
  float GroupValueAsFloat() const { return currentHasReal_ ? currentReal_ : ConvertAndKeepGroupValue(); }

  bool Is(std::int32_t code, std::string_view value) const {
    return groupCode_ == code && groupValue_ == value;
  }
  // True on (0, endValue) and on the sentinel (0, "Error"), which every loop
  // takes as its end.
  bool IsEnd(std::string_view endValue) const {
    return groupCode_ == 0 && (groupValue_ == endValue || groupValue_ == ErrorValue);
  }

  bool AbortRequested() const { return sink_ != nullptr && sink_->AbortRequested(); }

  SavedState Save() const { return {readPos_, groupCode_, groupValue_}; }
  void Restore(const SavedState& state);
  // Moves the read position, for block replay; until Restore, the pairs
  // read are recorded for the next replay from the same position. Positions
  // outside the text are refused (false): nothing there may be read.
  bool Seek(std::int32_t position);

  // What ended the last failed read, and where the offending line starts.
  ReadStop LastStop() const { return lastStop_; }
  std::int32_t LastStopPos() const { return lastStopPos_; }

 private:
  [[noreturn]] void Fail(ReadStop why, std::int32_t where);

  // Every other pair: split here, and recorded when a replay reads on
  // past its block's record.
  void ReadOtherPair();
  // Splits the pair at the read position, or fails as ReadGroupPair does.
  void SplitHere(PairSpan& span);
  // The same, as a record that can be kept.
  PairRecord RecordHere();
  // Splits the pair at the read position and makes it the current one.
  void ReadHere();
  void MakeCurrent(const PairRecord& pair, PairRecord* record) {
    groupCode_ = pair.code;
    groupValue_ = std::string_view(source_.data() + pair.valueStart, pair.valueEnd - pair.valueStart);
    currentReal_ = pair.real;
    currentHasReal_ = pair.hasReal;
    if (record != nullptr) {
      keptReal_ = &record->real;
      keptHasReal_ = &record->hasReal;
    } else {
      keptReal_ = nullptr;
    }
    AdvanceTo(static_cast<std::int32_t>(pair.next));
  }
  // The current pair, just made current from pair, goes on the tape. Out
  // of line: the walk that keeps its pairs is the rarer one.
  void KeepOnTape(const PairRecord& pair);
  void AdvanceTo(std::int32_t next) {
    readPos_ = next;
    if (next % ProgressDivisor == 0 && next >= lastProgressPos_) ReportProgressAt(next);
  }
  void ReportProgressAt(std::int32_t position);
  // Converts the current value and keeps the result in its block record.
  float ConvertAndKeepGroupValue() const;
  float ConvertGroupValue() const;
  void ForgetCurrentReal() {
    currentHasReal_ = false;
    keptReal_ = nullptr;
  }
  // Position, progress, failure and current pair as a request begins.
  void StartAtTheBeginning();
  void StartReadingAhead();
  void StopReadingAhead() {
    readAhead_.reset();
    UpdateHandOver();
  }
  // Whether the walk's own pairs are handed over (by the thread, or from
  // the tape) or kept on the tape, rather than only split.
  void UpdateHandOver() { handsOver_ = readAhead_ != nullptr || tape_.InUse(); }
  // The pair at the read position from the tape, or split and, while a
  // first walk keeps its pairs, kept on it.
  void ReadTaped();
  // The coordinates of handed-over pairs from pos on, in one run (see
  // ReadCoordinatesToNextEntity); where the walk reads on. The pairs a first
  // walk keeps are read one by one, each going on the tape.
  std::size_t TakeCoordinateRun(std::size_t pos, const CoordinateFields& fields, float* values) {
    if (tape_.Recording()) return pos;
    if (readAhead_ != nullptr) return readAhead_->TakeCoordinatePairs(pos, fields, values, ProgressDivisor);
    return tape_.TakeCoordinatePairs(pos, fields, values, ProgressDivisor);
  }

  ProgressSink* sink_;
  std::string_view source_;
  LineEndIndex lineEnds_;
  std::size_t readAheadFrom_ = NeverReadAhead;
  std::unique_ptr<PairReadAhead> readAhead_;
  BlockPairRecords blockPairs_;
  PairTape tape_;
  // The current value as a coordinate, when it was converted before (ahead,
  // or in an earlier replay of its block).
  float currentReal_ = 0;
  bool currentHasReal_ = false;
  // Where the current pair came from or went to (a block's record, the
  // tape): its coordinate is kept there once converted. keptHasReal_ is
  // only looked at while keptReal_ is set.
  float* keptReal_ = nullptr;
  bool* keptHasReal_ = nullptr;
  bool handsOver_ = false;
  std::int32_t readPos_ = 0;
  std::int32_t lastProgressPos_ = 0;
  std::int32_t groupCode_ = 0;
  std::string_view groupValue_;
  // The pair current when the request began, for Rewind.
  std::int32_t beginCode_ = 0;
  std::string_view beginValue_;
  std::string keptValue_;  // the current value once its text is gone
  ReadStop lastStop_ = ReadStop::None;
  std::int32_t lastStopPos_ = 0;
};

}  // namespace karvex
