#pragma once
// What a person is told about one drawing: why it could not be drawn, or,
// when it was drawn, what it lacks and why (where reading stopped, which
// entities were passed over, a missing HEADER). Lines without the
// "karvex: FILE: " prefix.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "karvex/blank_picture.h"
#include "karvex/file_renderer.h"

namespace karvex::tools {

// The cause of a failed request (result not 0), in one line.
std::string FailureCause(const FileOutcome& outcome, std::string_view text);

// Notes on a drawn picture; empty when the whole drawing was read and
// everything in it is of a kind that is drawn. A blank picture's line is
// not among them; the notes it says already are left out.
std::vector<std::string> DrawingNotes(const FileOutcome& outcome, const std::optional<BlankPicture>& blank);

// Where and why reading stopped early, in one line ("line 12 ...").
// Empty when it reached (0, "EOF").
std::string StopDescription(const FileOutcome& outcome);

// StopDescription, followed by "; what follows is not read" where the text
// goes on past the stop.
std::string StopNote(const FileOutcome& outcome);

// Said of a drawing without a HEADER, and of one whose HEADER gives no
// rectangle.
constexpr char kNoHeaderNote[] =
    "no HEADER section: without a drawing rectangle the scale is 0, so everything lands on one point at the "
    "bottom-left corner";
constexpr char kNoRectangleNote[] =
    "the HEADER has none of $EXTMIN, $EXTMAX, $LIMMIN, $LIMMAX: the drawing is scaled as if it were 10000 units "
    "across";

// Passed-over entities, most frequent first: "147 LWPOLYLINE, 2 HATCH".
// Group-0 pairs that are not entities (SEQEND, VERTEX, ...) are left out.
std::string PassedOverList(const KindCounts& passedOver);

// A block's name as the notes show it: "(no name)" for a header without one.
std::string ShownBlockName(const std::string& name);

// A block whose header gives no name is indexed under another one (the last
// group-2 value among its entities, else the block before it's name):
// "(no name) as DOOR" for each block whose index entry names another than
// its header, in the order defined.
std::vector<std::string> RenamedBlocks(const std::vector<std::string>& defined,
                                       const std::vector<std::string>& indexed);

}  // namespace karvex::tools
