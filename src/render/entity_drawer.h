#pragma once
// Draws the ENTITIES section as it is read, and replays blocks for INSERT
// entities straight from the text.
#include <cstdint>
#include <memory>
#include <string_view>

#include "dxf/blocks_section.h"
#include "dxf/group_pair_reader.h"
#include "render/canvas.h"
#include "render/mapping.h"
#include "render/placement.h"

namespace karvex {

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

class EntityDrawer {
 public:
  EntityDrawer(GroupPairReader& reader, Mapping mapping, Canvas& canvas, const BlockIndex& blocks,
               EntityObserver* observer = nullptr)
      : reader_(reader), mapping_(mapping), canvas_(canvas), blocks_(blocks), observer_(observer) {}

  // Called on the (2, "ENTITIES") pair. True when the walk reached (0,
  // "ENDSEC") or (0, "Error"); false when the host asked to stop or a failure
  // ended it. Whatever was drawn stays.
  bool DrawEntities();

  // Replays one block from the reader's position (a block's start) with its
  // points turned and moved. True at the block's ENDBLK (or (0, "Error")),
  // false on a stop or a failure, which ends only this block.
  bool DrawBlock(float insertX, float insertY, float insertAngle);

  // One text, with the angle clamped to 1..3599 tenths of a degree (anything
  // else is drawn unrotated). A failure costs only this text: false.
  bool DrawRotatedText(std::int32_t column, std::int32_t row, std::string_view text, std::int32_t height,
                       std::int32_t angle);

 private:
  // One handler per drawn kind; each reads its whole entity and leaves the
  // next entity's group-0 pair current.
  void DrawLine(const Placement& placement);
  void DrawText(const Placement& placement);
  void DrawCircle(const Placement& placement);
  void DrawArc(const Placement& placement);
  void DrawPoint(const Placement& placement);
  void DrawPolyline(const Placement& placement);
  void DrawSolid(const Placement& placement);
  void DrawInsert();

  // Runs the handler when the current pair is (0, kind); true if it ran.
  template <typename Handler>
  bool DrawIf(std::string_view kind, Handler handler);
  void PassOver();

  GroupPairReader& reader_;
  const Mapping mapping_;
  Canvas& canvas_;
  const BlockIndex& blocks_;
  EntityObserver* observer_;
  EntityPlace place_ = EntityPlace::Section;
  // Made on the first replay: most drawings insert nothing.
  std::unique_ptr<PolarCache> polarCache_;
  std::unique_ptr<TurnReplay> turnReplay_;
};

}  // namespace karvex
