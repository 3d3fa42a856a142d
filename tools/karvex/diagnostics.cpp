#include "karvex/diagnostics.h"

#include <algorithm>
#include <cfloat>

#include "dxf/number_conversion.h"
#include "karvex/input_check.h"
#include "karvex/text_lines.h"
#include "plugin/result_codes.h"

namespace karvex::tools {
namespace {

// Kinds named in a list before the rest are summed up.
constexpr std::size_t kListedKinds = 10;

// Group codes whose values are integers; the others the drawers read are
// reals.
bool IsIntegerGroup(std::int32_t code) {
  return (code >= 60 && code <= 79) || (code >= 90 && code <= 99) || (code >= 170 && code <= 179) ||
         (code >= 270 && code <= 289) || (code >= 370 && code <= 389) || (code >= 400 && code <= 409) ||
         (code >= 1060 && code <= 1071);
}

// Why a section reader could not use the value it stopped on.
std::string ValueCause(const ReadingStop& stop) {
  const std::string pair = "group " + std::to_string(stop.groupCode) + " value " + QuotedLine(stop.value);
  if (stop.groupCode != 0) {
    if (IsIntegerGroup(stop.groupCode)) {
      if (!ParseInteger(stop.value)) return pair + " is not a whole number";
    } else {
      const std::optional<long double> real = ParseReal(stop.value);
      if (!real) return pair + " is not a number";
      if (*real > FLT_MAX || *real < -FLT_MAX) return pair + " is too large";
    }
  }
  return "the entity before it lies too far from the drawing rectangle to be drawn";
}

std::string SectionOf(const FileOutcome& outcome, std::int32_t position) {
  const SectionSpan* span = outcome.facts.SectionAt(position);
  if (span == nullptr) return "between sections";
  return "in the " + (span->name.empty() ? std::string("unnamed") : span->name) + " section";
}

std::string LineOf(const ReadingStop& stop) {
  return "line " + std::to_string(stop.line) + " of " + std::to_string(stop.linesInText);
}

std::string Size(const Settings& settings) {
  return std::to_string(settings.OutputWidth) + " x " + std::to_string(settings.OutputHeight);
}

}  // namespace

std::string StopDescription(const FileOutcome& outcome) {
  const ReadingStop& stop = outcome.walk.Stop();
  const std::string where = LineOf(stop) + ", " + SectionOf(outcome, stop.position);
  switch (stop.why) {
    case ReadingStop::Why::NotRun:
    case ReadingStop::Why::ReachedEof:
      return {};
    case ReadingStop::Why::BadGroupCode:
      return "reading stopped at " + where + ": " + stop.lineText +
             " is not a group code (a whole number was expected)";
    case ReadingStop::Why::TextEnds:
      return "the text ends at " + where + ", without an (0, \"EOF\") pair";
    case ReadingStop::Why::TextEndsInsidePair:
      return "the text ends inside a pair at " + where + ": the group code " + stop.lineText + " has no value line";
    case ReadingStop::Why::ErrorPair:
      return "reading stopped at " + where + ": an (0, \"Error\") pair written in the text ends it";
    case ReadingStop::Why::ValueFailed:
      return "reading stopped at " + where + ": " + ValueCause(stop);
  }
  return {};
}

std::string StopNote(const FileOutcome& outcome) {
  const std::string stop = StopDescription(outcome);
  const ReadingStop& where = outcome.walk.Stop();
  return stop.empty() || where.line >= where.linesInText ? stop : stop + "; what follows is not read";
}

std::string FailureCause(const FileOutcome& outcome, std::string_view text) {
  if (std::optional<std::string> notDxf = WhyNotDxf(text)) return *notDxf;
  switch (outcome.result) {
    case kStoppedByHost:
      return "interrupted";
    case kOutOfMemory:
      return "out of memory for a picture of " + Size(outcome.settings) + " pixels";
    case kStreamError:
      return "the picture could not be copied out (result 6)";
    default:
      break;
  }
  if (outcome.settings.OutputWidth <= 0 || outcome.settings.OutputHeight <= 0) {
    return "the picture size " + Size(outcome.settings) +
           " from the settings file cannot be drawn (set one with 'karvex config --width N --height N')";
  }
  const std::string stop = StopDescription(outcome);
  if (!stop.empty()) return stop;
  return "cannot be drawn (result " + std::to_string(outcome.result) + ")";
}

std::string PassedOverList(const KindCounts& passedOver) {
  std::vector<std::pair<std::string, std::int64_t>> kinds;
  for (const auto& [kind, count] : passedOver) {
    if (IsBookkeepingPair(kind)) continue;
    kinds.emplace_back(kind, count);
  }
  std::stable_sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
  std::string list;
  std::int64_t rest = 0;
  std::size_t restKinds = 0;
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    if (i >= kListedKinds) {
      rest += kinds[i].second;
      ++restKinds;
      continue;
    }
    if (!list.empty()) list += ", ";
    list += std::to_string(kinds[i].second) + " " + kinds[i].first;
  }
  if (restKinds > 0) {
    list += " and " + std::to_string(rest) + " more of " + std::to_string(restKinds) + " other kinds";
  }
  return list;
}

std::string ShownBlockName(const std::string& name) { return name.empty() ? "(no name)" : name; }

std::vector<std::string> RenamedBlocks(const std::vector<std::string>& defined,
                                       const std::vector<std::string>& indexed) {
  std::vector<std::string> renamed;
  for (std::size_t i = 0; i < defined.size() && i < indexed.size(); ++i) {
    if (defined[i] != indexed[i]) renamed.push_back(ShownBlockName(defined[i]) + " as " + ShownBlockName(indexed[i]));
  }
  return renamed;
}

std::vector<std::string> DrawingNotes(const FileOutcome& outcome, const std::optional<BlankPicture>& blank) {
  const auto saidByBlank = [&](BlankReason reason) { return blank && blank->reason == reason; };
  std::vector<std::string> notes;
  const std::string stop = StopNote(outcome);
  if (!stop.empty() && !saidByBlank(BlankReason::ReadingStopped)) {
    notes.push_back((outcome.walk.DrawnTotal() > 0 ? "drawn in part: " : "nothing drawn: ") + stop);
  }
  const std::string passed = PassedOverList(outcome.walk.InSection().passedOver);
  if (!passed.empty() && !saidByBlank(BlankReason::OnlyPassedOverKinds)) {
    notes.push_back("not drawn (kinds that are passed over): " + passed);
  }
  // Nested INSERTs are the one drawn kind that blocks pass over, unless
  // all kinds are drawn.
  const std::string inBlocks = PassedOverList(outcome.walk.InBlocks().passedOver);
  if (!inBlocks.empty()) {
    notes.push_back(outcome.settings.AllKinds != 0
                        ? "not drawn in inserted blocks (counted each time a block is drawn): " + inBlocks
                        : "not drawn in inserted blocks (counted each time a block is drawn; INSERTs inside blocks "
                          "are passed over): " +
                              inBlocks);
  }
  // A fitted picture does without the HEADER's rectangle.
  const bool fitted = outcome.settings.CenterPos == 3;
  if (fitted) return notes;
  if (!outcome.facts.hasHeader) {
    if (!saidByBlank(BlankReason::NoHeader)) notes.push_back(kNoHeaderNote);
  } else if (!outcome.facts.headerHasRectangle && !saidByBlank(BlankReason::HeaderWithoutRectangle)) {
    notes.push_back(kNoRectangleNote);
  }
  return notes;
}

}  // namespace karvex::tools
