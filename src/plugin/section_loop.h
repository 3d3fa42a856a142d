#pragma once
// The section loop of one picture request: from the drawing's first pair to
// (0, "EOF"), the HEADER, TABLES and BLOCKS sections read into the plug-in's
// state and every ENTITIES section walked into a figure sink. A picture
// framed by its own geometry runs it twice over the same text, once into a
// measurement and once onto the canvas; both runs read and walk alike.
#include <cstdint>
#include <memory>

#include "dxf/blocks_section.h"
#include "dxf/drawing_extents.h"
#include "dxf/group_pair_reader.h"
#include "dxf/style_tables.h"
#include "dxf/tables_section.h"
#include "dxf/text_encoding.h"
#include "render/entity_drawer.h"
#include "render/figure_sink.h"
#include "render/style_resolver.h"

namespace karvex {

// The state the section readers fill; it outlives the request.
struct SectionState {
  DrawingExtents& extents;
  BlockIndex& blocks;
  LineTypeTable& lineTypes;
  // Read only for a styled picture (line types or colours).
  StyleTables& styles;
};

class SectionLoop {
 public:
  // imposed: how texts are read whatever the drawing says (the converter's
  // choice); null: as the drawing says when all kinds are drawn.
  SectionLoop(GroupPairReader& reader, SectionState state, std::int32_t outputWidth, std::int32_t outputHeight,
              const DrawingOptions& options, const TextEncoding* imposed = nullptr)
      : reader_(reader), state_(state), outputWidth_(outputWidth), outputHeight_(outputHeight), options_(options),
        resolver_(options_, state.styles), imposed_(imposed) {}

  // From the reader's start (the text just begun or rewound). A section
  // reader that fails or is stopped ends the loop quietly; a failure of
  // the loop's own reading (no (0, "EOF") before the text ends) is raised.
  // observer (may be null) is told what the ENTITIES walks meet.
  // Made for CanvasSink, BoundsSink and FigureSink: the walks call the
  // first two directly.
  template <class Sink>
  void Run(Sink& figures, EntityObserver* observer);

 private:
  GroupPairReader& reader_;
  SectionState state_;
  std::int32_t outputWidth_;
  std::int32_t outputHeight_;
  DrawingOptions options_;
  StyleResolver resolver_;
  const TextEncoding* imposed_;
  // What this run's HEADER said about its texts, and the encoding that
  // follows (all kinds only).
  HeaderTextFacts textFacts_;
  TextEncoding textEncoding_;
  // Shared by every walk of every run: pure caches.
  std::unique_ptr<BlockTurns> turns_;
};

}  // namespace karvex
