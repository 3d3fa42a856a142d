#pragma once
// Resolves an entity's style groups into the pen it is drawn with, by the
// rules CAD programs follow:
// - colour: group 420 (true colour) over group 62; 256 or none (BYLAYER)
//   takes its layer's, 0 (BYBLOCK) the INSERT's (colour 7 outside a
//   block); then through the colour index, and away from the background;
// - line type: group 6; BYLAYER or none takes its layer's, BYBLOCK the
//   INSERT's (solid outside a block); the LTYPE table's pattern scaled by
//   $LTSCALE and the entity's group 48;
// - layer: an entity on layer "0" inside a block belongs to the INSERT's
//   layer; a layer whose colour number is negative is off, and nothing on
//   it is drawn (line colours or all kinds on); nor on a frozen layer (all
//   kinds on).
// A layer or line type the tables do not have is colour 7, solid, on.
#include <span>
#include <string_view>

#include "dxf/style_tables.h"
#include "render/colour_index.h"
#include "render/drawing_options.h"
#include "render/pen.h"
#include "render/style_groups.h"

namespace karvex {

// What an INSERT hands the entities of its block.
struct BlockStyle {
  std::string_view layer;        // its own layer, for the block's layer-0 entities
  Color colour = kWhite;         // for BYBLOCK, before it is held away from the background
  std::span<const float> dashes;  // for BYBLOCK
};

class StyleResolver {
 public:
  // Both must outlive the resolver.
  StyleResolver(const DrawingOptions& options, const StyleTables& tables);

  // block: the INSERT's style while its block is replayed, else null.
  Pen PenFor(const StyleGroups& groups, const BlockStyle* block) const;
  // What an INSERT with these groups hands its block; outer: the style of
  // the block the INSERT lies in, if any.
  BlockStyle ForInsert(const StyleGroups& groups, const BlockStyle* outer = nullptr) const;

 private:
  struct Layer {
    std::string_view name;
    const LayerStyle* style;  // null: not in the table
  };
  Layer LayerOf(const StyleGroups& groups, const BlockStyle* block) const;
  Color ColourOf(const StyleGroups& groups, const Layer& layer, const BlockStyle* block) const;
  std::span<const float> DashesOf(const StyleGroups& groups, const Layer& layer, const BlockStyle* block) const;

  bool lineTypes_;
  bool lineColours_;
  bool allKinds_;
  const StyleTables& tables_;
  ColourIndex colours_;
};

}  // namespace karvex
