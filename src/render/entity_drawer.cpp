#include "render/entity_drawer.h"

#include "dxf/number_conversion.h"
#include "render/entity_records.h"

namespace karvex {

template <typename Handler>
bool EntityDrawer::DrawIf(std::string_view kind, Handler handler) {
  if (!reader_.Is(0, kind)) return false;
  handler();
  if (observer_ != nullptr) observer_->OnEntityDrawn(kind, place_);
  return true;
}

// The group-0 pair that no test took is told before it is read past; a
// drawn entity leaves the next one's group-0 pair current, so it is here that
// every kind that is not drawn shows up.
void EntityDrawer::PassOver() {
  if (observer_ != nullptr && reader_.GroupCode() == 0) observer_->OnEntityPassedOver(reader_.GroupValue(), place_);
  reader_.ReadGroupPair();
}

bool EntityDrawer::DrawEntities() {
  canvas_.SetPenColor(kBlack);
  canvas_.SetHollowBrush();
  const SectionPlacement placement(mapping_);
  try {
    for (;;) {
      // The tests are not alternatives: each looks at the pair current when
      // its turn comes, so entities whose kinds follow this order are drawn
      // in one pass.
      bool handled = false;
      handled |= DrawIf("LINE", [&] { DrawLine(placement); });
      handled |= DrawIf("TEXT", [&] { DrawText(placement); });
      handled |= DrawIf("CIRCLE", [&] { DrawCircle(placement); });
      handled |= DrawIf("ARC", [&] { DrawArc(placement); });
      handled |= DrawIf("POINT", [&] { DrawPoint(placement); });
      handled |= DrawIf("POLYLINE", [&] { DrawPolyline(placement); });
      handled |= DrawIf("SOLID", [&] { DrawSolid(placement); });
      handled |= DrawIf("INSERT", [&] { DrawInsert(); });
      if (reader_.AbortRequested()) return false;
      if (!handled) PassOver();
      if (reader_.IsEnd("ENDSEC")) return true;
    }
  } catch (...) {
    return false;
  }
}

bool EntityDrawer::DrawBlock(float insertX, float insertY, float insertAngle) {
  // Blocks are replayed from the ENTITIES walk, which goes on afterwards.
  struct PlaceScope {
    EntityPlace& place;
    EntityPlace saved;
    ~PlaceScope() { place = saved; }
  } scope{place_, place_};
  place_ = EntityPlace::Block;
  const std::int32_t blockStart = reader_.ReadPos();
  try {
    float baseX = 0;
    float baseY = 0;
    do {
      if (reader_.GroupCode() == 10) baseX = reader_.GroupValueAsFloat();
      if (reader_.GroupCode() == 20) baseY = reader_.GroupValueAsFloat();
      reader_.ReadGroupPair();
    } while (reader_.GroupCode() != 0);
    // An empty block ends at its own ENDBLK.
    if (reader_.IsEnd("ENDBLK")) return true;

    if (!polarCache_) polarCache_ = std::make_unique<PolarCache>();
    if (!turnReplay_) turnReplay_ = std::make_unique<TurnReplay>();
    TurnReplay::Cursor replay = turnReplay_->Start(blockStart, baseX, baseY, insertAngle);
    const BlockPlacement placement(mapping_, baseX, baseY, insertX, insertY, insertAngle, polarCache_.get(),
                                   &replay);
    for (;;) {
      bool handled = false;
      handled |= DrawIf("LINE", [&] { DrawLine(placement); });
      handled |= DrawIf("TEXT", [&] { DrawText(placement); });
      handled |= DrawIf("CIRCLE", [&] { DrawCircle(placement); });
      handled |= DrawIf("ARC", [&] { DrawArc(placement); });
      handled |= DrawIf("POINT", [&] { DrawPoint(placement); });
      handled |= DrawIf("POLYLINE", [&] { DrawPolyline(placement); });
      handled |= DrawIf("SOLID", [&] { DrawSolid(placement); });
      if (reader_.AbortRequested()) return false;
      if (!handled) PassOver();
      if (reader_.IsEnd("ENDBLK")) return true;
    }
  } catch (...) {
    return false;
  }
}

bool EntityDrawer::DrawRotatedText(std::int32_t column, std::int32_t row, std::string_view text,
                                   std::int32_t height, std::int32_t angle) {
  constexpr std::int32_t kFullTurn = 3600;
  if (angle >= kFullTurn) angle = 0;
  if (angle <= 0) angle = 0;
  try {
    canvas_.Text(column, row, text, height, angle);
    return true;
  } catch (...) {
    return false;
  }
}

void EntityDrawer::DrawLine(const Placement& placement) {
  const LineRecord line = CollectLine(reader_);
  const PixelPoint start = placement.Point(line.x1, line.y1);
  const PixelPoint end = placement.Point(line.x2, line.y2);
  canvas_.MoveTo(start.x, start.y);
  canvas_.LineTo(end.x, end.y);
}

void EntityDrawer::DrawText(const Placement& placement) {
  const TextRecord text = CollectText(reader_);
  const PixelPoint corner = placement.TextCorner(text.x, text.y, text.height, text.rotation);
  const std::int32_t height = placement.Length(text.height);
  const std::int32_t angle = placement.TextAngle(text.rotation);
  DrawRotatedText(corner.x, corner.y, text.text, height, angle);
}

void EntityDrawer::DrawCircle(const Placement& placement) {
  const CircleRecord circle = CollectCircle(reader_);
  const PixelBox box = placement.CircleBox(circle.x, circle.y, circle.radius);
  canvas_.Ellipse(box.left, box.top, box.right, box.bottom);
}

void EntityDrawer::DrawArc(const Placement& placement) {
  const ArcRecord arc = CollectArc(reader_);
  const PixelBox box = placement.CircleBox(arc.x, arc.y, arc.radius);
  const PixelPoint start = placement.RadialPoint(arc.x, arc.y, arc.radius, arc.startAngle);
  const PixelPoint end = placement.RadialPoint(arc.x, arc.y, arc.radius, arc.endAngle);
  canvas_.Arc(box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
}

void EntityDrawer::DrawPoint(const Placement& placement) {
  const PointRecord point = CollectPoint(reader_);
  const PixelPoint pixel = placement.Point(point.x, point.y);
  canvas_.SetPixel(pixel.x, pixel.y, kBlack);
}

// Straight segments through the vertices' x and y; bulges, widths and vertex
// flags are not read. A polyline with fewer than two vertices draws nothing
// and never reaches past its own SEQEND.
void EntityDrawer::DrawPolyline(const Placement& placement) {
  const bool closed = CollectPolylineClosedFlag(reader_);
  if (reader_.IsEnd("SEQEND")) return;
  float x = 0;
  float y = 0;
  CollectVertex(reader_, x, y);
  const PixelPoint first = placement.Point(x, y);
  canvas_.MoveTo(first.x, first.y);
  if (reader_.IsEnd("SEQEND")) return;
  do {
    CollectVertex(reader_, x, y);
    const PixelPoint next = placement.Point(x, y);
    canvas_.LineTo(next.x, next.y);
  } while (!reader_.IsEnd("SEQEND"));
  if (closed) canvas_.LineTo(first.x, first.y);
}

// Outlined in the corners' numbered order 1-2-3-4-1, never filled.
void EntityDrawer::DrawSolid(const Placement& placement) {
  const SolidRecord solid = CollectSolid(reader_, canvas_);
  PixelPoint corners[4];
  for (std::size_t i = 0; i < 4; ++i) corners[i] = placement.Point(solid.x[i], solid.y[i]);
  canvas_.MoveTo(corners[0].x, corners[0].y);
  for (std::size_t i = 1; i < 4; ++i) canvas_.LineTo(corners[i].x, corners[i].y);
  canvas_.LineTo(corners[0].x, corners[0].y);
}

// Every index entry with the block's exact name is replayed, in index order;
// afterwards the walk goes on at the entity after the INSERT as if no block
// had been read. Nested INSERTs inside a block are passed over.
void EntityDrawer::DrawInsert() {
  const InsertRecord insert = CollectInsert(reader_);
  if (!insert.hasBlockName) return;
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

}  // namespace karvex
