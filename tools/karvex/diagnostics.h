#pragma once
// What a person is told about one drawing: why it could not be drawn, or,
// when it was drawn, what it lacks and why (where reading stopped, which
// entities were passed over, a missing HEADER). Lines without the
// "karvex: FILE: " prefix.
#include <string>
#include <string_view>
#include <vector>

#include "karvex/file_renderer.h"

namespace karvex::tools {

// The cause of a failed request (result not 0), in one line.
std::string FailureCause(const FileOutcome& outcome, std::string_view text);

// Notes on a drawn picture; empty when the whole drawing was read and
// everything in it is of a kind that is drawn.
std::vector<std::string> DrawingNotes(const FileOutcome& outcome);

// Where and why reading stopped early, in one line ("line 12 ...").
// Empty when it reached (0, "EOF").
std::string StopDescription(const FileOutcome& outcome);

// Passed-over entities, most frequent first: "147 LWPOLYLINE, 2 HATCH".
// Group-0 pairs that are not entities (SEQEND, VERTEX, ...) are left out.
std::string PassedOverList(const KindCounts& passedOver);

}  // namespace karvex::tools
