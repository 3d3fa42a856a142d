#pragma once
// A picture with nothing drawn on it (all one colour, white or the
// background colour: nothing drawn, or all of it outside): the likely
// reason, in one line with what would help. Each reason's advice is kept in
// one table in blank_picture.cpp.
#include <optional>
#include <string>
#include <string_view>

#include "karvex/file_renderer.h"

namespace karvex::tools {

enum class BlankReason {
  ReadingStopped,          // reading stopped before anything was drawn
  NoEntities,              // the drawing has nothing to draw
  OnlyPassedOverKinds,     // every entity is of a kind that is passed over
  TextsWithoutFont,        // all that was drawn were texts, and there is no font
  BlocksUnderOtherNames,   // all that was drawn were INSERTs, and blocks are indexed under other names
  BlocksDrawNothing,       // all that was drawn were INSERTs, whose blocks are missing or empty
  NoHeader,                // no HEADER: the scale is 0
  HeaderWithoutRectangle,  // the fall-back rectangle of 10000 units
  OutsideRectangle,        // what was drawn lies outside the HEADER's rectangle
  NothingSeen,             // fitted, what was drawn has no size or lies on layers that are off
};

struct BlankPicture {
  BlankReason reason;
  // Why, and what would help: "no HEADER section: ...". Follows "blank
  // picture: " in a note.
  std::string description;
};

// None when the request failed or the picture has anything on it. text is
// the drawing, looked at again where the reason needs it.
std::optional<BlankPicture> DiagnoseBlankPicture(const FileOutcome& outcome, std::string_view text);

}  // namespace karvex::tools
