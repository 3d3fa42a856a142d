#include "render/entity_drawer.h"

#include <optional>

#include "render/entity_records.h"
#include "render/kinds/insert_kind.h"

namespace karvex {

EntityDrawer::EntityDrawer(GroupPairReader& reader, FigureSink& figures, const BlockIndex& blocks,
                           const WalkSetup& setup, const EntityKinds& sectionKinds, const EntityKinds& blockKinds)
    : reader_(reader), figures_(figures), blocks_(blocks), observer_(setup.observer), styles_(setup.styles),
      turns_(setup.turns != nullptr ? *setup.turns : ownTurns_),
      input_(reader, figures, setup.options.lineColours), styled_(setup.options.Styled()),
      sectionKinds_(sectionKinds), blockKinds_(blockKinds),
      textEncoding_(setup.textEncoding != nullptr ? *setup.textEncoding : TextEncoding{}) {}

// The group-0 pair that no test took is told before it is read past; a
// drawn entity leaves the next one's group-0 pair current, so it is here that
// every kind that is not drawn shows up.
void EntityDrawer::PassOver() {
  if (observer_ != nullptr && reader_.GroupCode() == 0) observer_->OnEntityPassedOver(reader_.GroupValue(), place_);
  reader_.ReadGroupPair();
}

bool EntityDrawer::Walk(const EntityKinds& kinds, const Placement& placement, std::string_view end) {
  for (;;) {
    // The tests are not alternatives: each looks at the pair current when
    // its turn comes, so entities whose kinds follow the table's order are
    // drawn in one pass. The pass therefore goes on with the first entry
    // after the last one drawn that names the current pair, and ends when
    // none does.
    bool handled = false;
    for (std::size_t from = 0; reader_.GroupCode() == 0;) {
      const std::size_t found = kinds.Find(reader_.GroupValue(), from);
      if (found == kinds.size()) break;
      const EntityKind& kind = kinds[found];
      kind.draw(*this, placement);
      if (observer_ != nullptr) observer_->OnEntityDrawn(kind.keyword, place_);
      handled = true;
      from = found + 1;
    }
    if (reader_.AbortRequested()) return false;
    if (!handled) PassOver();
    if (reader_.IsEnd(end)) return true;
  }
}

bool EntityDrawer::DrawEntities() {
  figures_.BeginSection();
  const SectionPlacement placement;
  try {
    return Walk(sectionKinds_, placement, "ENDSEC");
  } catch (...) {
    return false;
  }
}

namespace {

// Blocks are replayed from the ENTITIES walk (or from another block), which
// goes on afterwards.
struct BlockPlaceScope {
  explicit BlockPlaceScope(EntityPlace& place) : place_(place), saved_(place) { place = EntityPlace::Block; }
  ~BlockPlaceScope() { place_ = saved_; }
  BlockPlaceScope(const BlockPlaceScope&) = delete;
  BlockPlaceScope& operator=(const BlockPlaceScope&) = delete;

 private:
  EntityPlace& place_;
  EntityPlace saved_;
};

}  // namespace

// The header's groups 10 and 20, from the pair current on entry up to the
// block's first group-0 pair.
void EntityDrawer::ReadBlockBase(float& baseX, float& baseY) {
  do {
    if (reader_.GroupCode() == 10) baseX = reader_.GroupValueAsFloat();
    if (reader_.GroupCode() == 20) baseY = reader_.GroupValueAsFloat();
    reader_.ReadGroupPair();
  } while (reader_.GroupCode() != 0);
}

bool EntityDrawer::DrawBlock(float insertX, float insertY, float insertAngle) {
  const BlockPlaceScope scope(place_);
  const std::int32_t blockStart = reader_.ReadPos();
  try {
    float baseX = 0;
    float baseY = 0;
    ReadBlockBase(baseX, baseY);
    // An empty block ends at its own ENDBLK.
    if (reader_.IsEnd("ENDBLK")) return true;

    if (!turns_) turns_ = std::make_unique<BlockTurns>();
    TurnReplay::Cursor replay = turns_->replay.Start(blockStart, baseX, baseY, insertAngle);
    const BlockPlacement placement(baseX, baseY, insertX, insertY, insertAngle, &turns_->polar, &replay);
    return Walk(blockKinds_, placement, "ENDBLK");
  } catch (...) {
    return false;
  }
}

// Every index entry with the block's exact name is replayed, in index order;
// afterwards the walk goes on at the entity after the INSERT as if no block
// had been read. Nested INSERTs inside a block are passed over.
void EntityDrawer::DrawInsert() {
  const InsertRecord insert = styled_ ? ReadInsert(input_) : ReadInsert(static_cast<EntityInput&>(input_));
  if (!insert.hasBlockName) return;
  // BYBLOCK and layer "0" in the block follow the INSERT.
  std::optional<BlockStyle> style;
  if (styles_ != nullptr) style = styles_->ForInsert(input_.Style());
  struct StyleScope {
    const BlockStyle*& current;
    ~StyleScope() { current = nullptr; }
  } scope{blockStyle_};
  blockStyle_ = style ? &*style : nullptr;
  const GroupPairReader::SavedState afterInsert = reader_.Save();
  for (std::int32_t i = 0; i < blocks_.BlockCount; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    if (blocks_.BlockName[slot] != insert.blockName) continue;
    // Only the position moves: a replay after the first examines, as its
    // header's first pair, the pair the replay before it stopped on, so one
    // that stopped on a base-point value that does not convert stops the
    // next at once.
    if (!reader_.Seek(blocks_.BlockStart[slot])) continue;
    DrawBlock(insert.x, insert.y, insert.angle);
  }
  reader_.Restore(afterInsert);
}

bool EntityDrawer::DrawPlacedBlock(const AffinePlacement& cell) {
  const BlockPlaceScope scope(place_);
  try {
    float baseX = 0;
    float baseY = 0;
    ReadBlockBase(baseX, baseY);
    if (reader_.IsEnd("ENDBLK")) return true;
    const AffinePlacement placement = cell.Moved(-static_cast<long double>(baseX), -static_cast<long double>(baseY));
    return Walk(blockKinds_, placement, "ENDBLK");
  } catch (...) {
    return false;
  }
}

// Each cell of the array replays every block of the name, as a plain
// INSERT does; a block that cannot be entered (inside itself, too deep,
// the budget spent) is left out, and the walk goes on after the INSERT.
void EntityDrawer::ReplayPlaced(const PlacedInsertRecord& insert, const AffinePlacement& outer) {
  if (!insert.hasBlockName) return;
  std::optional<BlockStyle> style;
  if (styles_ != nullptr) style = styles_->ForInsert(input_.Style(), blockStyle_);
  struct StyleScope {
    const BlockStyle*& current;
    const BlockStyle* saved;
    ~StyleScope() { current = saved; }
  } scope{blockStyle_, blockStyle_};
  if (style) blockStyle_ = &*style;
  const GroupPairReader::SavedState afterInsert = reader_.Save();
  const bool inSection = nesting_.Depth() == 0;
  auto goesOn = [&] { return !reader_.AbortRequested() && nesting_.CanReplay(); };
  for (std::int32_t row = 0; row < insert.rows && goesOn(); ++row) {
    for (std::int32_t column = 0; column < insert.columns && goesOn(); ++column) {
      const AffinePlacement cell = insert.Cell(outer, column, row);
      if (!cell.Finite()) continue;
      const bool free = inSection && row == 0 && column == 0;
      for (std::int32_t i = 0; i < blocks_.BlockCount; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        if (blocks_.BlockName[slot] != insert.blockName) continue;
        if (!nesting_.Enter(i, free)) continue;
        if (reader_.Seek(blocks_.BlockStart[slot])) DrawPlacedBlock(cell);
        nesting_.Leave();
      }
    }
  }
  reader_.Restore(afterInsert);
}

void EntityDrawer::DrawPlacedInsert(const AffinePlacement& outer) {
  const PlacedInsertRecord insert =
      styled_ ? ReadPlacedInsert(input_) : ReadPlacedInsert(static_cast<EntityInput&>(input_));
  ReplayPlaced(insert, outer);
}

void EntityDrawer::DrawDimension(const AffinePlacement& outer) {
  const PlacedInsertRecord dimension =
      styled_ ? ReadDimension(input_) : ReadDimension(static_cast<EntityInput&>(input_));
  ReplayPlaced(dimension, outer);
}

}  // namespace karvex
