#include "karvex/info_command.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "karvex/blank_picture.h"
#include "karvex/converter_settings.h"
#include "karvex/diagnostics.h"
#include "karvex/file_renderer.h"
#include "karvex/input_check.h"
#include "karvex/input_source.h"
#include "karvex/interrupt.h"
#include "karvex/progress_bar.h"
#include "karvex/rectangle_source.h"
#include "karvex/text_encoding.h"
#include "render/entity_kinds.h"
#include "render/figure_sink.h"
#include "render/framing.h"
#include "settings/settings_drawing_options.h"

namespace karvex::tools {
namespace {

// The kinds the ENTITIES walk draws with these settings' options (all
// kinds or not); every other kind is read past.
bool IsDrawnKind(const EntityKinds& drawn, std::string_view kind) { return drawn.Find(kind, 0) != drawn.size(); }

class BarProgress final : public ProgressListener {
 public:
  explicit BarProgress(ProgressBar& bar) : bar_(bar) {}
  bool OnProgress(std::int32_t num, std::int32_t denom) override {
    bar_.FileProgress(0, num, denom);
    return InterruptRequested();
  }

 private:
  ProgressBar& bar_;
};

void Field(std::ostringstream& out, const std::string& name, const std::string& value) {
  out << name << std::string(name.size() < 14 ? 14 - name.size() : 1, ' ') << value << '\n';
}

std::string BlockList(const std::vector<std::string>& names) {
  if (names.empty()) return "none";
  std::string list = std::to_string(names.size()) + ":";
  constexpr std::size_t kShown = 20;
  for (std::size_t i = 0; i < names.size() && i < kShown; ++i) list += (i == 0 ? " " : ", ") + ShownBlockName(names[i]);
  if (names.size() > kShown) list += ", ... (" + std::to_string(names.size() - kShown) + " more)";
  return list;
}

// The block index records each block under the name its header gives; a
// block whose header gives none takes the last group-2 value among its
// entities, else the name of the block before it. INSERTs are matched
// against the index. Empty when every block is indexed under its own name.
std::string BlockIndexNote(const std::vector<std::string>& defined, const std::vector<std::string>& indexed) {
  const std::vector<std::string> renamed = RenamedBlocks(defined, indexed);
  std::string note;
  if (indexed.size() < defined.size()) {
    note = std::to_string(defined.size() - indexed.size()) + " blocks past the index's " +
           std::to_string(indexed.size()) + " entries are never drawn";
  }
  if (!renamed.empty()) {
    if (!note.empty()) note += "; ";
    note += std::to_string(renamed.size()) + " recorded under another name (INSERTs of their own name draw nothing): ";
    constexpr std::size_t kShown = 5;
    for (std::size_t i = 0; i < renamed.size() && i < kShown; ++i) note += (i == 0 ? "" : ", ") + renamed[i];
    if (renamed.size() > kShown) note += ", ...";
  }
  return note;
}

void EntityTable(std::ostringstream& out, const DrawingFacts& facts, const Settings& settings) {
  const EntityKinds drawn = SectionKinds<FigureSink>(DrawingOptionsOf(settings));
  if (facts.entities.empty()) {
    Field(out, "entities", "none");
    return;
  }
  std::vector<std::pair<std::string, EntityCount>> rows(facts.entities.begin(), facts.entities.end());
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.second.inEntities + a.second.inBlocks > b.second.inEntities + b.second.inBlocks;
  });
  std::size_t width = 4;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  char line[256];
  std::snprintf(line, sizeof line, "%-*s  %11s  %9s  %s", static_cast<int>(width), "kind", "in ENTITIES", "in blocks",
                "drawn");
  Field(out, "entities", line);
  for (const auto& [kind, count] : rows) {
    std::snprintf(line, sizeof line, "%-*s  %11lld  %9lld  %s", static_cast<int>(width), kind.c_str(),
                  static_cast<long long>(count.inEntities), static_cast<long long>(count.inBlocks),
                  IsDrawnKind(drawn, kind) ? "yes" : "no");
    Field(out, "", line);
  }
}

std::string Reading(const FileOutcome& outcome) {
  const ReadingStop& stop = outcome.walk.Stop();
  if (stop.why == ReadingStop::Why::ReachedEof) return "to the (0, \"EOF\") pair";
  if (stop.why == ReadingStop::Why::NotRun) return "not read";
  return StopDescription(outcome);
}

std::string Number(long double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6Lg", value);
  return text;
}

// Where each alignment mode puts the drawing, the one drawn with marked.
void AlignmentFields(std::ostringstream& out, const FileOutcome& outcome, const Settings& settings) {
  const std::int32_t width = settings.OutputWidth;
  const std::int32_t height = settings.OutputHeight;
  const std::int32_t used = settings.CenterPos == 2 || settings.CenterPos == 3 ? settings.CenterPos : 1;
  auto mark = [&](std::int32_t mode) { return mode == used ? " (drawn so)" : ""; };
  const Mapping centred = CentredMapping(outcome.extents, width, height);
  Field(out, "alignment",
        std::string("1, --align origin: the rectangle's lower left at the picture's, ") +
            Number(outcome.extents.DrawScale) + " pixels per unit" + mark(1));
  Field(out, "", "2, --align centre: the origin at column " + std::to_string(centred.OriginColumn()) + ", row " +
                     std::to_string(centred.OriginRow()) + ", " + Number(centred.Scale()) + " pixels per unit" + mark(2));
  const DrawingBox& box = outcome.framing.measured;
  if (!outcome.framing.wasMeasured) {
    Field(out, "", std::string("3, --align fit: not measured (reading stopped first)") + mark(3));
  } else if (box.empty) {
    Field(out, "", std::string("3, --align fit: nothing is drawn to fit") + mark(3));
  } else {
    const Mapping fitted = FittedMapping(box, width, height);
    Field(out, "", "3, --align fit: the box of what is drawn, (" + Number(box.minX) + ", " + Number(box.minY) +
                       ") to (" + Number(box.maxX) + ", " + Number(box.maxY) + "), " + Number(fitted.Scale()) +
                       " pixels per unit" + mark(3));
  }
}

}  // namespace

int RunInfo(const InfoOptions& options) {
  const EncodingPolicy encoding = EncodingPolicy::FromOption(options.encoding);
  const Settings settings = LoadConverterSettings(options.size, options.choices);
  WatchForInterrupts();
  const std::string shown = options.input == "-" ? std::string(kStandardInputName) : options.input;

  LoadedInput input;
  if (ReadsFromTerminal(options.input)) std::fprintf(stderr, "karvex: %s\n", kTerminalInputNote);
  try {
    input = LoadInput(options.input);
  } catch (const InputError& error) {
    std::fprintf(stderr, "karvex: %s: %s\n", shown.c_str(), error.what());
    return 1;
  }

  FileRenderer renderer;
  FileOutcome outcome;
  {
    ProgressBar bar(stderr, !options.quiet && ProgressBar::StandardErrorIsTerminal(), 1);
    bar.FileStarted(0, shown);
    BarProgress progress(bar);
    outcome = renderer.Render(input, settings, encoding, &progress, nullptr, nullptr, true);
  }
  if (InterruptRequested()) {
    std::fprintf(stderr, "karvex: interrupted\n");
    return 130;
  }

  std::ostringstream out;
  Field(out, "file", shown);
  Field(out, "bytes", std::to_string(input.Bytes().size()));
  // A binary file has no lines, pairs or sections to tell of.
  if (IsBinaryDxf(input.Bytes())) {
    Field(out, "format", "binary DXF, which is not read: only text (ASCII) DXF is");
    Field(out, "result", std::to_string(outcome.result) + " (" + FailureCause(outcome, input.Bytes()) + ")");
    std::fputs(out.str().c_str(), stdout);
    return 1;
  }

  // A picture reads only the HEADER ahead; info tells of the whole text.
  outcome.facts = ScanDrawing(input.Bytes());
  const DrawingFacts& facts = outcome.facts;
  Field(out, "version", facts.acadVersion.value_or("not given ($ACADVER)"));
  Field(out, "code page", facts.dwgCodePage.value_or("not given ($DWGCODEPAGE)"));
  Field(out, "line ends", DescribeLineEnds(facts.lineEnds));
  Field(out, "texts", "read as " + outcome.encoding);
  const std::optional<BlankPicture> blank = DiagnoseBlankPicture(outcome, input.Bytes());
  Field(out, "result",
        outcome.result != 0 ? std::to_string(outcome.result) + " (" + FailureCause(outcome, input.Bytes()) + ")"
        : blank             ? "0 (drawn; blank picture: " + blank->description + ")"
                            : std::string("0 (drawn)"));
  Field(out, "reading", Reading(outcome));
  if (facts.hasHeader) {
    Field(out, "rectangle",
          RectangleText(outcome.extents) + ", " + RectangleSource(outcome.extents, outcome.facts));
  } else {
    Field(out, "rectangle", "none: no HEADER section");
  }
  Field(out, "DrawScale", FloatText(outcome.extents.DrawScale) + " pixels per drawing unit");
  Field(out, "picture",
        std::to_string(settings.OutputWidth) + " x " + std::to_string(settings.OutputHeight) + " pixels");
  AlignmentFields(out, outcome, settings);
  Field(out, "blocks", BlockList(facts.blockNames));
  const std::string index = BlockIndexNote(facts.blockNames, outcome.blockNames);
  if (!index.empty()) Field(out, "block index", index);
  EntityTable(out, facts, settings);
  const std::string passed = PassedOverList(outcome.walk.InSection().passedOver);
  Field(out, "passed over", passed.empty() ? std::string("nothing") : passed);
  const std::string inBlocks = PassedOverList(outcome.walk.InBlocks().passedOver);
  if (!inBlocks.empty()) Field(out, "", "in inserted blocks (each time one is drawn): " + inBlocks);
  std::fputs(out.str().c_str(), stdout);
  return outcome.result == 0 ? 0 : 1;
}

}  // namespace karvex::tools
