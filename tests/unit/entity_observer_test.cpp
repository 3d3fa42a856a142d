// What the plug-in object tells an entity observer: every entity drawn, and
// every group-0 pair passed over, with the place it was met, whatever came
// before it.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/scenes.h"

namespace karvex {
namespace {

using testing::PluginHarness;
using testing::Scene;
using testing::SceneWithBlocks;

class Log final : public EntityObserver {
 public:
  void OnEntityDrawn(std::string_view kind, EntityPlace place) override { Add("drawn", kind, place); }
  void OnEntityPassedOver(std::string_view kind, EntityPlace place) override { Add("passed", kind, place); }
  std::vector<std::string> events;

 private:
  void Add(const char* what, std::string_view kind, EntityPlace place) {
    events.push_back(std::string(what) + " " + std::string(kind) + (place == EntityPlace::Block ? " in block" : ""));
  }
};

std::vector<std::string> Events(const std::string& drawing) {
  PluginHarness harness;
  Log log;
  harness.Body().SetEntityObserver(&log);
  EXPECT_EQ(harness.PictureFromMemory(drawing).result, 0);
  return log.events;
}

using EventList = std::vector<std::string>;

TEST(EntityObserver, ToldOfEveryEntityDrawnOrPassedOverWhateverCameBeforeIt) {
  // A kind that is not drawn right after a drawn one is current when its
  // pass starts, not read by the pass before.
  EXPECT_EQ(
      Events(Scene(
          {{0, "LINE"}, {11, "1"}, {0, "LWPOLYLINE"}, {90, "2"}, {0, "MTEXT"}, {1, "x"}, {0, "CIRCLE"}, {40, "1"}})),
      (EventList{"drawn LINE", "passed LWPOLYLINE", "passed MTEXT", "drawn CIRCLE"}));
  // A POLYLINE's vertices are its own; its SEQEND is passed over, and the
  // section's ENDSEC is not told.
  EXPECT_EQ(
      Events(Scene({{0, "POLYLINE"}, {0, "VERTEX"}, {10, "1"}, {0, "VERTEX"}, {10, "2"}, {0, "SEQEND"}, {0, "HATCH"}})),
      (EventList{"drawn POLYLINE", "passed SEQEND", "passed HATCH"}));
}

TEST(EntityObserver, EntitiesOfReplayedBlocksAreToldAsInABlockEachTimeTheBlockIsDrawn) {
  const std::string drawing =
      SceneWithBlocks({{0, "BLOCK"}, {2, "B"}, {0, "LINE"}, {0, "SPLINE"}, {0, "INSERT"}, {2, "B"}, {0, "ENDBLK"}},
                      {{0, "INSERT"}, {2, "B"}, {0, "INSERT"}, {2, "B"}, {0, "ELLIPSE"}});
  EXPECT_EQ(Events(drawing), (EventList{"drawn LINE in block", "passed SPLINE in block", "passed INSERT in block",
                                        "drawn INSERT", "drawn LINE in block", "passed SPLINE in block",
                                        "passed INSERT in block", "drawn INSERT", "passed ELLIPSE"}));
}

}  // namespace
}  // namespace karvex
