#pragma once
// What one picture request met while it drew: the entities drawn and passed
// over, by kind, and where and why reading stopped. It watches the plug-in
// object through its observer hooks and changes nothing.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "plugin/plugin_body.h"
#include "render/entity_drawer.h"

namespace karvex::tools {

struct ReadingStop {
  enum class Why {
    NotRun,              // the section loop never ran (no surface)
    ReachedEof,          // the (0, "EOF") pair: the whole drawing was read
    ErrorPair,           // a (0, "Error") pair written in the text
    BadGroupCode,        // a group code line that is not a number
    TextEnds,            // the text ends before an (0, "EOF") pair
    TextEndsInsidePair,  // the text ends after a group code line
    ValueFailed,         // a section reader failed on the current pair
  };
  Why why = Why::NotRun;
  std::int64_t line = 0;       // the line the cause lies on
  std::string lineText;        // that line, quoted
  std::int32_t groupCode = 0;  // ValueFailed: the pair's code and value
  std::string value;
  std::int32_t position = 0;  // byte position of the cause
  std::int64_t linesInText = 0;
};

using KindCounts = std::map<std::string, std::int64_t, std::less<>>;

struct WalkCounts {
  KindCounts drawn;
  KindCounts passedOver;
};

class WalkRecord final : public RenderObserver, public EntityObserver {
 public:
  void OnSurfaceCreated(DrawSurface&) override {}
  void OnSectionLoopEnded(const GroupPairReader& reader) override;
  void OnEntityDrawn(std::string_view kind, EntityPlace place) override { Add(At(place).drawn, kind); }
  void OnEntityPassedOver(std::string_view kind, EntityPlace place) override { Add(At(place).passedOver, kind); }

  // The ENTITIES walk's own entities.
  const WalkCounts& InSection() const { return section_; }
  // The entities of replayed blocks, once for each time a block was drawn.
  const WalkCounts& InBlocks() const { return blocks_; }
  // Everything drawn, in the section and in blocks.
  std::int64_t DrawnTotal() const;
  const ReadingStop& Stop() const { return stop_; }

 private:
  void Add(KindCounts& counts, std::string_view kind);
  WalkCounts& At(EntityPlace place) { return place == EntityPlace::Block ? blocks_ : section_; }

  WalkCounts section_;
  WalkCounts blocks_;
  ReadingStop stop_;
  // The counts Add found last, newest first. Entities come in runs of a few
  // kinds, so a kind is nearly always among them. A copied record starts
  // without any: the pointers would lead into the other record's maps.
  struct FoundCount {
    const KindCounts* counts = nullptr;
    std::string_view kind;  // the map's own key
    std::int64_t* count = nullptr;
  };
  struct RecentCounts {
    static constexpr std::size_t kKept = 8;
    RecentCounts() = default;
    RecentCounts(const RecentCounts&) {}
    RecentCounts& operator=(const RecentCounts&) {
      kept = {};
      return *this;
    }
    std::array<FoundCount, kKept> kept{};
  } recent_;
};

}  // namespace karvex::tools
