#pragma once
// Walks the ENTITIES section as it is read, and replays blocks for INSERT
// entities straight from the text, sending every entity of a drawn kind to
// a figure sink (a canvas through a mapping, or a measurement).
#include <cstdint>
#include <memory>
#include <string_view>

#include "dxf/blocks_section.h"
#include "dxf/group_pair_reader.h"
#include "render/drawing_options.h"
#include "render/entity_input.h"
#include "render/affine_placement.h"
#include "render/block_nesting.h"
#include "render/bounds_sink.h"
#include "render/canvas_sink.h"
#include "render/entity_kinds.h"
#include "render/figure_sink.h"
#include "render/placement.h"
#include "render/style_resolver.h"

namespace karvex {

struct PlacedInsertRecord;

// Where an entity was met: in the ENTITIES section, or in a block that an
// INSERT replays (once for each time the block is drawn).
enum class EntityPlace : std::uint8_t { Section, Block };

// Counts what a walk met, for diagnostics. Optional.
class EntityObserver {
 public:
  // An entity of a drawn kind was drawn.
  virtual void OnEntityDrawn(std::string_view kind, EntityPlace place) = 0;
  // A group-0 pair the walk passed over without drawing: an entity of a kind
  // that is not drawn, or what follows a drawn entity (the SEQEND of a
  // POLYLINE, the ATTRIBs and SEQEND of an INSERT), or, inside a block, a
  // nested INSERT. The pairs that end a walk (ENDSEC, ENDBLK) are not told.
  virtual void OnEntityPassedOver(std::string_view kind, EntityPlace place) = 0;

 protected:
  ~EntityObserver() = default;
};

// The turns of block points, kept from one replay to the next, and from the
// measuring walk to the drawing walk of the same picture: pure functions of
// what they are keyed by, so a kept turn is exactly a computed one.
struct BlockTurns {
  PolarCache polar;
  TurnReplay replay;
};

// What a walk draws with beyond its reader, figures and blocks.
struct WalkSetup {
  DrawingOptions options;
  // The pens of a styled drawing (line types or colours); null for a plain
  // one.
  const StyleResolver* styles = nullptr;
  EntityObserver* observer = nullptr;
  // Where the walk keeps its block turns, to share them with other walks;
  // null: its own. Made on the first replay: most drawings insert nothing.
  std::unique_ptr<BlockTurns>* turns = nullptr;
  // How the drawing's texts are read (all kinds): which bytes make one
  // character of an MTEXT. Null: code page 932.
  const TextEncoding* textEncoding = nullptr;
};

class EntityDrawer {
 public:
  // A walk into a canvas or a measurement calls its sink directly; into
  // any other sink through FigureSink.
  EntityDrawer(GroupPairReader& reader, CanvasSink& figures, const BlockIndex& blocks, WalkSetup setup = WalkSetup())
      : EntityDrawer(reader, figures, blocks, setup, SectionKinds<CanvasSink>(setup.options),
                     BlockKinds<CanvasSink>(setup.options)) {}
  EntityDrawer(GroupPairReader& reader, BoundsSink& figures, const BlockIndex& blocks, WalkSetup setup = WalkSetup())
      : EntityDrawer(reader, figures, blocks, setup, SectionKinds<BoundsSink>(setup.options),
                     BlockKinds<BoundsSink>(setup.options)) {}
  EntityDrawer(GroupPairReader& reader, FigureSink& figures, const BlockIndex& blocks, WalkSetup setup = WalkSetup())
      : EntityDrawer(reader, figures, blocks, setup, SectionKinds<FigureSink>(setup.options),
                     BlockKinds<FigureSink>(setup.options)) {}

  // Called on the (2, "ENTITIES") pair. True when the walk reached (0,
  // "ENDSEC") or (0, "Error"); false when the host asked to stop or a failure
  // ended it. Whatever was drawn stays.
  bool DrawEntities();

  // Replays one block from the reader's position (a block's start) with its
  // points turned and moved. True at the block's ENDBLK (or (0, "Error")),
  // false on a stop or a failure, which ends only this block.
  bool DrawBlock(float insertX, float insertY, float insertAngle);

  // --- For the entity kinds ---
  StyledEntityInput& Input() { return input_; }
  FigureSink& Figures() { return figures_; }
  // The entity just read takes up its pen (styled drawings).
  const TextEncoding& Texts() const { return textEncoding_; }
  void ApplyStyle() {
    if (styles_ != nullptr) figures_.SetPen(styles_->PenFor(input_.Style(), blockStyle_));
  }
  // Reads an INSERT and replays every block that bears its name.
  void DrawInsert();
  // The same with all of the INSERT (scale, array, mirror) placed inside
  // outer: the ENTITIES section's identity, or the block it lies in.
  void DrawPlacedInsert(const AffinePlacement& outer);
  // Reads a DIMENSION and replays its block as an INSERT at the origin.
  void DrawDimension(const AffinePlacement& outer);

 private:
  EntityDrawer(GroupPairReader& reader, FigureSink& figures, const BlockIndex& blocks, const WalkSetup& setup,
               const EntityKinds& sectionKinds, const EntityKinds& blockKinds);

  // Replays every block named by the INSERT (or DIMENSION) just read, in
  // each cell of its array.
  void ReplayPlaced(const PlacedInsertRecord& insert, const AffinePlacement& outer);
  // The block header's base point (groups 10 and 20).
  void ReadBlockBase(float& baseX, float& baseY);
  // Replays one block from its start, its base point taken off cell.
  bool DrawPlacedBlock(const AffinePlacement& cell);

  // Runs the kinds' tests pass after pass until the (0, end) pair.
  bool Walk(const EntityKinds& kinds, const Placement& placement, std::string_view end);
  void PassOver();

  GroupPairReader& reader_;
  FigureSink& figures_;
  const BlockIndex& blocks_;
  EntityObserver* observer_;
  const StyleResolver* styles_;
  // The INSERT's style while its block is replayed (styled drawings).
  const BlockStyle* blockStyle_ = nullptr;
  std::unique_ptr<BlockTurns> ownTurns_;
  std::unique_ptr<BlockTurns>& turns_;
  // Read through as an EntityInput when the drawing is plain.
  StyledEntityInput input_;
  bool styled_;
  const EntityKinds sectionKinds_;
  const EntityKinds blockKinds_;
  EntityPlace place_ = EntityPlace::Section;
  TextEncoding textEncoding_;
  BlockNesting nesting_;
};

}  // namespace karvex
