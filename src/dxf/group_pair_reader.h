#pragma once
// The one reader every section walk uses: it works in place on the DXF text
// held in memory, keeps the current group pair, and reports progress. Read
// docs/reading.md first: the current-pair contract, where pairs come from,
// who moves the position, the progress rule.
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
  // The sentinel value left current after a failed read.
  static constexpr std::string_view ErrorValue = "Error";

  // Where a replay can come back to: the read position and the current pair.
  struct SavedState {
    std::int32_t readPos;
    std::int32_t groupCode;
    std::string_view groupValue;
    float real;
    bool hasReal;
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
  // Whether block replays keep their pairs for the next replay from the
  // same place (on by default). What is read stays the same; the tests turn
  // it off to compare with the text read alone.
  void RecordBlockPairs(bool on) { recordBlockPairs_ = on; }

  // Starts a request on a text that stays alive until End() (or until the
  // reader is destroyed). ReadPos and LastProgressPos start at 0; the
  // current pair carries over.
  void Begin(std::string_view source);
  // Ends the request; the current pair is kept (copied) for the next one.
  void End() noexcept;
  // The walk about to start will be followed by a second one over the same
  // text (Rewind): its pairs, with the coordinates converted from them, are
  // kept for the second walk to read back.
  void KeepPairsForRewind() { tape_.StartRecording(); }
  // Starts the same text again, for a second walk of the same request: the
  // position, the progress reports, the current pair and the last failure
  // are as Begin left them. What the first walk learned of the text (its
  // pairs, the pairs of replayed blocks) is read back where the second walk
  // reads the same.
  void Rewind();

  // Reads the next pair into GroupCode and GroupValue. On a malformed or
  // missing pair it leaves (0, "Error") current and raises SilentAbort.
  void ReadGroupPair() {
    switch (NextPairSource()) {
      case PairSource::Ring: {
        PairRecord pair;
        if (readAhead_->Take(pair)) return MakeCurrent(pair);
        break;  // the thread stopped short of this pair
      }
      case PairSource::RingOntoTape:
        return TakeOntoTape();
      case PairSource::Tape:
        return MakeCurrent(tape_.Take());
      case PairSource::TextOntoTape:
        return ReadOntoTape();
      case PairSource::Record:
        return MakeCurrent(blockPairs_.TakeRecordedPair());
      case PairSource::TextIntoRecord:
        return ReadIntoRecord();
      case PairSource::Text:
        break;
    }
    ReadFromText();
  }

  // From an entity's group-0 pair: reads on up to the next group-0 pair,
  // which it leaves current. For each pair on the way whose code has a
  // field in fields, values[field] gets its GroupValueAsFloat. All is as
  // reading the pairs one by one would leave it, progress reports and
  // failures included; only the pairs on the way that the thread reading
  // ahead has handed over are taken in runs, without being made current.
  void ReadCoordinatesToNextEntity(const CoordinateFields& fields, float* values) {
    for (;;) {
      const PairSource source = NextPairSource();
      if (source == PairSource::Ring) {
        readPos_ = static_cast<std::int32_t>(readAhead_->TakeCoordinatePairs(fields, values, lastProgressPos_));
      } else if (source == PairSource::Tape) {
        readPos_ = static_cast<std::int32_t>(tape_.TakeCoordinatePairs(fields, values, lastProgressPos_));
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

  // The current value as a coordinate (ConvertRealToFloat): converted ahead
  // with its pair, or here.
  float GroupValueAsFloat() const { return currentHasReal_ ? currentReal_ : ConvertGroupValue(); }

  bool Is(std::int32_t code, std::string_view value) const {
    return groupCode_ == code && groupValue_ == value;
  }
  // True on (0, endValue) and on the sentinel (0, "Error"), which every loop
  // takes as its end.
  bool IsEnd(std::string_view endValue) const {
    return groupCode_ == 0 && (groupValue_ == endValue || groupValue_ == ErrorValue);
  }

  bool AbortRequested() const { return sink_ != nullptr && sink_->AbortRequested(); }

  SavedState Save() const { return {readPos_, groupCode_, groupValue_, currentReal_, currentHasReal_}; }
  // Ends a replay: the position and the current pair are as they were saved.
  void Restore(const SavedState& state);
  // Starts a block replay: moves the read position to a block's start; until
  // Restore, the pairs read are recorded for the next replay from the same
  // position. Positions outside the text are refused (false): nothing there
  // may be read.
  bool Seek(std::int32_t position);

  // What ended the last failed read, and where the offending line starts.
  ReadStop LastStop() const { return lastStop_; }
  std::int32_t LastStopPos() const { return lastStopPos_; }

 private:
  enum class PairSource : std::uint8_t {
    Text,            // split here
    Ring,            // handed over by the thread reading ahead
    Record,          // read back from the replayed block's record
    TextIntoRecord,  // split here and added to the replayed block's record
    RingOntoTape,    // handed over by the thread and kept for a second walk
    Tape,            // read back from what a first walk kept
    TextOntoTape,    // split here and kept for a second walk
  };

  // Where the next pair comes from: the one place that decides it. A pair
  // computed ahead is the pair at its start, so a source gives its next
  // pair only where the reading stands exactly at that pair's start. A
  // replay reads from its block's record, the walk from the ring; anything
  // else, or a source that has nothing there, means the text. A first walk
  // that keeps its pairs keeps those of its own run through the text; a
  // second walk reads them back (with no thread reading ahead: the tape
  // holds what it would give).
  PairSource NextPairSource() const {
    const auto at = static_cast<std::uint32_t>(readPos_);
    if (blockPairs_.Replaying()) {
      if (at != blockPairs_.NextStart()) return PairSource::Text;
      if (blockPairs_.HasRecordedPair()) return PairSource::Record;
      return blockPairs_.HasRoom() ? PairSource::TextIntoRecord : PairSource::Text;
    }
    const bool continuesTape = tape_.Recording() && at == tape_.NextStart();
    if (readAhead_ != nullptr && at == readAhead_->NextStart()) {
      return continuesTape ? PairSource::RingOntoTape : PairSource::Ring;
    }
    if (continuesTape) return PairSource::TextOntoTape;
    if (tape_.Playing() && at == tape_.NextStart() && tape_.HasKeptPair()) return PairSource::Tape;
    return PairSource::Text;
  }

  // The one way a pair becomes current, whatever its source.
  void MakeCurrent(std::int32_t code, std::size_t valueStart, std::size_t valueEnd, std::size_t next, float real,
                   bool hasReal) {
    groupCode_ = code;
    groupValue_ = std::string_view(source_.data() + valueStart, valueEnd - valueStart);
    currentReal_ = real;
    currentHasReal_ = hasReal;
    readPos_ = static_cast<std::int32_t>(next);
    if (ProgressDueAt(next, lastProgressPos_)) ReportProgressAt(readPos_);
  }
  void MakeCurrent(const PairRecord& pair) {
    MakeCurrent(pair.code, pair.valueStart, pair.valueEnd, pair.next, pair.real, pair.hasReal);
  }

  // Splits the pair at the read position, or fails as ReadGroupPair does.
  void SplitHere(PairSpan& span);
  // The same, as a record that can be kept (its coordinate converted).
  PairRecord RecordHere();
  // The pair at the read position split from the text, and made current;
  // the second one also adds it to the replayed block's record.
  void ReadFromText();
  void ReadIntoRecord();
  // The pair at the read position from the thread, or split here, kept on
  // the tape and made current. Out of line: the walk that keeps its pairs
  // is the rarer one.
  void TakeOntoTape();
  void ReadOntoTape();
  [[noreturn]] void Fail(ReadStop why, std::int32_t where);
  void ReportProgressAt(std::int32_t position);
  float ConvertGroupValue() const;
  // Position, progress, failure and current pair as a request begins.
  void StartAtTheBeginning();
  void StartReadingAhead();
  void StopReadingAhead() { readAhead_.reset(); }

  ProgressSink* sink_;
  std::string_view source_;
  LineEndIndex lineEnds_;
  std::size_t readAheadFrom_ = NeverReadAhead;
  bool recordBlockPairs_ = true;
  std::unique_ptr<PairReadAhead> readAhead_;
  BlockPairRecords blockPairs_;
  PairTape tape_;
  std::int32_t readPos_ = 0;
  std::int32_t lastProgressPos_ = 0;
  std::int32_t groupCode_ = 0;
  std::string_view groupValue_;
  // The current value as a coordinate, when its pair came converted.
  float currentReal_ = 0;
  bool currentHasReal_ = false;
  // The pair current when the request began, for Rewind.
  std::int32_t beginCode_ = 0;
  std::string_view beginValue_;
  std::string keptValue_;  // the current value once its text is gone
  ReadStop lastStop_ = ReadStop::None;
  std::int32_t lastStopPos_ = 0;
};

// A request of the reader on a text, ended on every path out of the scope.
class ReadingScope {
 public:
  ReadingScope(GroupPairReader& reader, std::string_view source) : reader_(reader) { reader_.Begin(source); }
  ~ReadingScope() { reader_.End(); }
  ReadingScope(const ReadingScope&) = delete;
  ReadingScope& operator=(const ReadingScope&) = delete;

 private:
  GroupPairReader& reader_;
};

}  // namespace karvex
