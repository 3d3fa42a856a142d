#include "karvex/blank_picture.h"

#include <algorithm>

#include "karvex/diagnostics.h"
#include "karvex/rectangle_source.h"

namespace karvex::tools {
namespace {

// The options that would show what these reasons hide.
constexpr std::string_view kFramingAdvice = "try --align fit";
constexpr std::string_view kAllKindsAdvice = "try --all-kinds";

struct ReasonAdvice {
  BlankReason reason;
  std::string_view advice;  // empty: nothing to offer
};

constexpr ReasonAdvice kAdvice[] = {
    {BlankReason::ReadingStopped, ""},
    {BlankReason::NoEntities, ""},
    {BlankReason::OnlyPassedOverKinds, kAllKindsAdvice},
    {BlankReason::TextsWithoutFont, "install fonts-ipafont-gothic, or set KARVEX_FONT to a TrueType font"},
    {BlankReason::BlocksUnderOtherNames, ""},
    {BlankReason::BlocksDrawNothing, ""},
    {BlankReason::NoHeader, kFramingAdvice},
    {BlankReason::HeaderWithoutRectangle, kFramingAdvice},
    {BlankReason::OutsideRectangle, kFramingAdvice},
    {BlankReason::NothingSeen, ""},
};

std::string_view AdviceFor(BlankReason reason) {
  for (const ReasonAdvice& entry : kAdvice) {
    if (entry.reason == reason) return entry.advice;
  }
  return {};
}

// White, or in a picture in colours the background colour, everywhere.
bool AllOneColour(const HostPicture& picture) {
  const std::uint8_t* rows = picture.Rows();
  const std::int64_t width = picture.Header().biWidth;
  const std::int64_t height = picture.Header().biHeight;
  const std::size_t stride = picture.RowBytes() / static_cast<std::size_t>(height);
  for (std::int64_t y = 0; y < height; ++y) {
    const std::uint8_t* row = rows + static_cast<std::size_t>(y) * stride;
    for (std::int64_t i = 0; i < width * 3; ++i) {
      if (row[i] != rows[i % 3]) return false;
    }
  }
  return true;
}

std::int64_t DrawnOf(const WalkRecord& walk, std::string_view kind) {
  std::int64_t count = 0;
  for (const WalkCounts* counts : {&walk.InSection(), &walk.InBlocks()}) {
    const auto found = counts->drawn.find(kind);
    if (found != counts->drawn.end()) count += found->second;
  }
  return count;
}

// What was drawn set no pixel: it lies outside `where`, or is too small.
std::string NoPixel(std::int64_t count, const std::string& where) {
  if (count == 1) {
    return "the one entity drawn sets no pixel on it: it lies outside " + where +
           " or comes out smaller than a pixel";
  }
  return "none of the " + std::to_string(count) + " entities drawn sets a pixel on it: they lie outside " + where +
         " or come out smaller than a pixel";
}

std::string ListOf(const std::vector<std::string>& items, std::size_t shown) {
  std::string list;
  for (std::size_t i = 0; i < items.size() && i < shown; ++i) list += (i == 0 ? "" : ", ") + items[i];
  if (items.size() > shown) list += ", ...";
  return list;
}

BlankPicture Diagnose(const FileOutcome& outcome, std::string_view text) {
  const WalkRecord& walk = outcome.walk;
  const std::int64_t drawn = walk.DrawnTotal();
  if (drawn == 0) {
    const std::string stop = StopNote(outcome);
    if (!stop.empty()) return {BlankReason::ReadingStopped, stop};
    const std::string passed = PassedOverList(walk.InSection().passedOver);
    if (passed.empty()) return {BlankReason::NoEntities, "there are no entities to draw"};
    return {BlankReason::OnlyPassedOverKinds,
            "no entity in it is of a kind that is drawn (passed over: " + passed + ")"};
  }

  // Texts set no pixel without a font, and an INSERT none of its own: when
  // nothing else was drawn, the rectangle is not to blame.
  const std::int64_t texts = DrawnOf(walk, "TEXT");
  const std::int64_t inserts = DrawnOf(walk, "INSERT");
  const std::int64_t inked = drawn - inserts - (outcome.textsLeftOut ? texts : 0);
  if (inked == 0 && texts > 0) {
    return {BlankReason::TextsWithoutFont,
            "it draws only texts (" + std::to_string(texts) + "), and texts are left out without a font"};
  }
  if (inked == 0) {
    const std::vector<std::string> renamed = RenamedBlocks(ScanDrawing(text).blockNames, outcome.blockNames);
    const std::string only = "it draws only INSERTs (" + std::to_string(inserts) + "), and they find nothing to draw: ";
    if (!renamed.empty()) {
      return {BlankReason::BlocksUnderOtherNames,
              only + "blocks are recorded under another name than their own (" + ListOf(renamed, 5) +
                  "), so an INSERT of a block's own name finds none"};
    }
    return {BlankReason::BlocksDrawNothing, only + "the blocks they name are missing or empty"};
  }

  // A fitted picture is framed by what is drawn, whatever the HEADER says.
  if (outcome.settings.CenterPos == 3) {
    return {BlankReason::NothingSeen, "none of the " + std::to_string(inked) +
                                          " entities drawn sets a pixel on the picture fitted to them: they have no "
                                          "size (lines of no length, circles of no radius) or lie on layers that "
                                          "are off"};
  }
  if (!outcome.facts.hasHeader) return {BlankReason::NoHeader, kNoHeaderNote};
  const std::string rectangle = "the rectangle " + RectangleText(outcome.extents);
  if (!outcome.facts.headerHasRectangle) {
    return {BlankReason::HeaderWithoutRectangle, std::string(kNoRectangleNote) + "; " + NoPixel(inked, rectangle)};
  }
  return {BlankReason::OutsideRectangle,
          NoPixel(inked, rectangle + " that the HEADER's extents and limits give (they may be stale)")};
}

}  // namespace

std::optional<BlankPicture> DiagnoseBlankPicture(const FileOutcome& outcome, std::string_view text) {
  if (!outcome.picture || !AllOneColour(*outcome.picture)) return std::nullopt;
  BlankPicture blank = Diagnose(outcome, text);
  const std::string_view advice = AdviceFor(blank.reason);
  // With all kinds on, what is still passed over is drawn by no option.
  const bool allKindsOn = blank.reason == BlankReason::OnlyPassedOverKinds && outcome.settings.AllKinds != 0;
  if (!advice.empty() && !allKindsOn) {
    blank.description += "; ";
    blank.description += advice;
  }
  return blank;
}

}  // namespace karvex::tools
