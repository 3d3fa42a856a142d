#pragma once
// What the entity readers read from: the group pairs, and, for a styled
// drawing, the style groups of the entity being read, which are taken on
// the way whatever the kind. A group of style that does not convert is
// taken as not given: a style must never cost the entity.
#include <cstdint>

#include "dxf/group_pair_reader.h"
#include "render/figure_sink.h"
#include "render/style_groups.h"

namespace karvex {

class EntityInput {
 public:
  // styled: the style groups are read; lineColours: a SOLID's colour
  // number is a style group too, instead of the pen colour of figures.
  EntityInput(GroupPairReader& pairs, FigureSink& figures, bool styled, bool lineColours)
      : pairs_(pairs), figures_(figures), styled_(styled), lineColours_(lineColours) {}

  GroupPairReader& Pairs() { return pairs_; }
  // The style groups of the entity read last (styled drawings only).
  const StyleGroups& Style() const { return style_; }

  // From the entity's group-0 pair up to the next group-0 pair, which is
  // left current: for each pair whose code has a field, values[field] gets
  // its value as a coordinate.
  void ReadCoordinates(const CoordinateFields& fields, float* values) {
    if (!styled_) {
      pairs_.ReadCoordinatesToNextEntity(fields, values);
      return;
    }
    ReadGroups([&](std::int32_t code) {
      const int field = CoordinateFieldOf(fields, code);
      if (field >= 0) values[field] = pairs_.GroupValueAsFloat();
    });
  }

  // The same, calling store(code) on every pair from the entity's own
  // group-0 pair on.
  template <typename Store>
  void ReadGroups(Store store) {
    if (styled_) style_ = StyleGroups{};
    do {
      if (styled_) TakeStyleGroup();
      store(pairs_.GroupCode());
      pairs_.ReadGroupPair();
    } while (pairs_.GroupCode() != 0);
  }

  // The current pair is a SOLID's group 62. Unless the drawing is in its
  // own colours, the number read as a colour becomes the pen colour at
  // once, for this SOLID and everything drawn after it.
  void TakeSolidColourNumber();

 private:
  void TakeStyleGroup();

  GroupPairReader& pairs_;
  FigureSink& figures_;
  bool styled_;
  bool lineColours_;
  StyleGroups style_;
};

// The colour a SOLID's group 62 gives the pen: the number itself as a colour
// reference (no colour-number palette; a high byte is left for the canvas to
// read as the platform does); a negative number gives black.
Color ColorFromNumber(std::int32_t number);

}  // namespace karvex
