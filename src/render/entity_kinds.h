#pragma once
// The entity kinds a walk draws, one entry each: the keyword of its group-0
// pair and the function that reads the entity into its record and draws
// the record. The ENTITIES walk and the block replay each have one table;
// the walk tests the current pair against every entry in table order.
#include <array>
#include <bit>
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
  static constexpr std::size_t kMostKinds = 32;

  EntityKinds(std::initializer_list<EntityKind> kinds) {
    for (const EntityKind& kind : kinds) Add(kind);
  }
  void Add(const EntityKind& kind) {
    if (count_ == kMostKinds) throw std::length_error("too many entity kinds");
    if (kind.keyword.empty()) throw std::invalid_argument("an entity kind needs a keyword");
    byFirstByte_[static_cast<unsigned char>(kind.keyword[0])] |= std::uint32_t{1} << count_;
    kinds_[count_++] = kind;
  }
  const EntityKind* begin() const { return kinds_.data(); }
  const EntityKind* end() const { return kinds_.data() + count_; }
  std::size_t size() const { return count_; }
  const EntityKind& operator[](std::size_t i) const { return kinds_[i]; }

  // The first entry from `from` on whose keyword is value exactly (same
  // bytes, same length), or size() when there is none. Every group-0 pair a
  // walk meets comes here, so the entries are first picked by the value's
  // first byte.
  std::size_t Find(std::string_view value, std::size_t from) const {
    if (value.empty()) return count_;
    std::uint32_t candidates = byFirstByte_[static_cast<unsigned char>(value[0])] >> from << from;
    while (candidates != 0) {
      const auto i = static_cast<std::size_t>(std::countr_zero(candidates));
      if (kinds_[i].keyword == value) return i;
      candidates &= candidates - 1;
    }
    return count_;
  }

 private:
  std::array<EntityKind, kMostKinds> kinds_{};
  std::size_t count_ = 0;
  // For each first byte, the entries whose keyword starts with it (bit i:
  // entry i).
  std::array<std::uint32_t, 256> byFirstByte_{};
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
