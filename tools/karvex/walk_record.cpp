#include "karvex/walk_record.h"

#include <algorithm>
#include <utility>

#include "karvex/drawing_facts.h"
#include "karvex/text_lines.h"

namespace karvex::tools {

void WalkRecord::Add(KindCounts& counts, std::string_view kind) {
  auto& kept = recent_.kept;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    FoundCount& found = kept[i];
    if (found.counts == &counts && found.kind.size() == kind.size() && found.kind == kind) {
      ++*found.count;
      // Moved one place forward: the kinds met most stay in front.
      if (i > 0) std::swap(kept[i - 1], found);
      return;
    }
  }
  auto found = counts.find(kind);
  if (found == counts.end()) {
    const std::string_view key = counts.size() < kMostKinds ? kind : std::string_view(kOtherKinds);
    found = counts.try_emplace(std::string(key), 0).first;
  }
  ++found->second;
  // Where kinds beyond the first few share one count, the count is not kept:
  // its key is not the kind.
  if (found->first == kind) {
    std::move_backward(kept.begin(), kept.end() - 1, kept.end());
    kept.front() = {&counts, found->first, &found->second};
  }
}

std::int64_t WalkRecord::DrawnTotal() const {
  std::int64_t total = 0;
  for (const WalkCounts* counts : {&section_, &blocks_}) {
    for (const auto& [kind, count] : counts->drawn) total += count;
  }
  return total;
}

void WalkRecord::OnSectionLoopEnded(const GroupPairReader& reader) {
  const std::string_view text = reader.Source();
  ReadingStop stop;
  // Counting the lines costs a pass over the text: only a stop short of EOF
  // is described by them.
  if (!reader.Is(0, "EOF")) stop.linesInText = LineCount(text);
  const bool onErrorPair = reader.IsEnd("Error") && reader.GroupValue() == GroupPairReader::ErrorValue;
  if (reader.Is(0, "EOF")) {
    stop.why = ReadingStop::Why::ReachedEof;
  } else if (onErrorPair && reader.LastStop() == ReadStop::BadGroupCode) {
    stop.why = ReadingStop::Why::BadGroupCode;
    stop.position = reader.LastStopPos();
    stop.line = LineNumberAt(text, stop.position);
    stop.lineText = QuotedLine(LineAt(text, stop.position));
  } else if (onErrorPair && reader.LastStop() == ReadStop::EndOfText) {
    // Pairs take two lines from the first on, so a text with an odd number
    // of lines ends on a group code whose value line is missing.
    const bool cut = stop.linesInText % 2 != 0;
    stop.why = cut ? ReadingStop::Why::TextEndsInsidePair : ReadingStop::Why::TextEnds;
    stop.position = reader.LastStopPos();
    stop.line = stop.linesInText;
    if (cut) stop.lineText = QuotedLine(LastLine(text));
  } else {
    // A section reader stopped on the pair it could not use, whose value
    // line ends just before the read position.
    stop.why = onErrorPair ? ReadingStop::Why::ErrorPair : ReadingStop::Why::ValueFailed;
    stop.groupCode = reader.GroupCode();
    stop.value = std::string(reader.GroupValue());
    stop.position = reader.ReadPos() > 0 ? reader.ReadPos() - 1 : 0;
    stop.line = LineNumberAt(text, stop.position);
  }
  stop_ = std::move(stop);
}

}  // namespace karvex::tools
