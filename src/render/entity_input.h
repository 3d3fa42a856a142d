#pragma once
// What the entity readers read from: the group pairs, and, for a styled
// drawing, the style groups of the entity being read, which are taken on
// the way whatever the kind. A plain drawing's readers never look at them:
// the two are separate types, and each table of entity kinds is made for
// one of them. A style group that does not convert is taken as not given:
// a style must never cost the entity.
#include <cstdint>

#include "dxf/group_pair_reader.h"
#include "render/figure_sink.h"
#include "render/style_groups.h"

namespace karvex {

class EntityInput {
 public:
  // lineColours: a SOLID's colour number is a style group, instead of the
  // pen colour of figures.
  EntityInput(GroupPairReader& pairs, FigureSink& figures, bool lineColours)
      : pairs_(pairs), figures_(figures), lineColours_(lineColours) {}

  GroupPairReader& Pairs() { return pairs_; }

  // From the entity's group-0 pair up to the next group-0 pair, which is
  // left current: for each pair whose code has a field, values[field] gets
  // its value as a coordinate.
  void ReadCoordinates(const CoordinateFields& fields, float* values) {
    pairs_.ReadCoordinatesToNextEntity(fields, values);
  }

  // The same, calling store(code) on every pair from the entity's own
  // group-0 pair on.
  template <typename Store>
  void ReadGroups(Store store) {
    do {
      store(pairs_.GroupCode());
      pairs_.ReadGroupPair();
    } while (pairs_.GroupCode() != 0);
  }

  // The current pair is a SOLID's group 62. Unless the drawing is in its
  // own colours, the number read as a colour becomes the pen colour at
  // once, for this SOLID and everything drawn after it.
  void TakeSolidColourNumber();

 protected:
  GroupPairReader& pairs_;

 private:
  FigureSink& figures_;
  bool lineColours_;
};

// The input of a styled drawing: the same, with the style groups taken.
class StyledEntityInput final : public EntityInput {
 public:
  using EntityInput::EntityInput;

  // The style groups of the entity read last.
  const StyleGroups& Style() const { return style_; }

  void ReadCoordinates(const CoordinateFields& fields, float* values);
  template <typename Store>
  void ReadGroups(Store store) {
    style_ = StyleGroups{};
    do {
      TakeStyleGroup();
      store(pairs_.GroupCode());
      pairs_.ReadGroupPair();
    } while (pairs_.GroupCode() != 0);
  }

 private:
  void TakeStyleGroup();

  StyleGroups style_;
};

// The colour a SOLID's group 62 gives the pen: the number itself as a colour
// reference (no colour-number palette; a high byte is left for the canvas to
// read as the platform does); a negative number gives black.
Color ColorFromNumber(std::int32_t number);

}  // namespace karvex
