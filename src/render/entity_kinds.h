#pragma once
// The entity kinds a walk draws, one entry each: the keyword of its group-0
// pair and the function that reads the entity into its record and draws
// the record. The ENTITIES walk and the block replay each have one table;
// the walk tests the current pair against every entry in table order.
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string_view>

#include "render/drawing_options.h"
#include "render/placement.h"

namespace karvex {

class EntityDrawer;

struct EntityKind {
  std::string_view keyword;
  // Called on the entity's (0, keyword) pair; reads the whole entity and
  // leaves the next entity's group-0 pair current.
  void (*draw)(EntityDrawer& walk, const Placement& placement);
};

class EntityKinds {
 public:
  static constexpr std::size_t kMostKinds = 24;

  EntityKinds(std::initializer_list<EntityKind> kinds) {
    for (const EntityKind& kind : kinds) Add(kind);
  }
  void Add(const EntityKind& kind) {
    if (count_ == kMostKinds) throw std::length_error("too many entity kinds");
    if (kind.keyword.empty()) throw std::invalid_argument("an entity kind needs a keyword");
    kinds_[count_++] = kind;
  }
  const EntityKind* begin() const { return kinds_.data(); }
  const EntityKind* end() const { return kinds_.data() + count_; }
  std::size_t size() const { return count_; }
  const EntityKind& operator[](std::size_t i) const { return kinds_[i]; }

  // The first entry from `from` on whose keyword is value exactly (same
  // bytes, same length), or size() when there is none. Every pair a walk
  // passes goes through here, so it compares sizes and first bytes before
  // whole keywords.
  std::size_t Find(std::string_view value, std::size_t from) const {
    for (std::size_t i = from; i < count_; ++i) {
      const std::string_view keyword = kinds_[i].keyword;
      if (keyword.size() != value.size() || keyword[0] != value[0]) continue;
      std::size_t same = 1;
      while (same < value.size() && keyword[same] == value[same]) ++same;
      if (same == value.size()) return i;
    }
    return count_;
  }

 private:
  std::array<EntityKind, kMostKinds> kinds_{};
  std::size_t count_ = 0;
};

// The kinds of the ENTITIES section, tested in this order: LINE, TEXT,
// CIRCLE, ARC, POINT, POLYLINE, SOLID, INSERT. Made for the sink the walk
// sends its figures to, so that a drawing walk calls its canvas sink
// directly; any other sink is reached through FigureSink.
template <class Sink>
EntityKinds SectionKinds(const DrawingOptions& options);
// The kinds of a replayed block: the same less INSERT (nested blocks are
// not drawn).
template <class Sink>
EntityKinds BlockKinds(const DrawingOptions& options);

}  // namespace karvex
