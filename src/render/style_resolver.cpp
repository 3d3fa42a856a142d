#include "render/style_resolver.h"

#include <cstdlib>

namespace karvex {
namespace {

constexpr std::string_view kLayerZero = "0";

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i];
    char y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

StyleResolver::StyleResolver(const DrawingOptions& options, const StyleTables& tables)
    : lineTypes_(options.lineTypes), lineColours_(options.lineColours), allKinds_(options.allKinds), tables_(tables),
      colours_(options.colours) {}

StyleResolver::Layer StyleResolver::LayerOf(const StyleGroups& groups, const BlockStyle* block) const {
  std::string_view name = groups.layer.empty() ? kLayerZero : groups.layer;
  if (block != nullptr && name == kLayerZero) name = block->layer;
  return {name, tables_.Layer(name)};
}

Color StyleResolver::ColourOf(const StyleGroups& groups, const Layer& layer, const BlockStyle* block) const {
  if (groups.trueColour >= 0) return ColourIndex::OfTrueColour(groups.trueColour);
  switch (groups.colourNumber) {
    case kColourByBlock:
      return block != nullptr ? block->colour : colours_.OfNumber(7);
    case kColourByLayer:
      if (layer.style == nullptr) return colours_.OfNumber(7);
      if (layer.style->trueColour >= 0) return ColourIndex::OfTrueColour(layer.style->trueColour);
      return colours_.OfNumber(std::abs(layer.style->colourNumber));
    default:
      return colours_.OfNumber(groups.colourNumber);
  }
}

std::span<const float> StyleResolver::DashesOf(const StyleGroups& groups, const Layer& layer,
                                               const BlockStyle* block) const {
  std::string_view name = groups.lineType;
  if (name.empty() || SameName(name, "BYLAYER")) {
    name = layer.style != nullptr ? std::string_view(layer.style->lineType) : std::string_view("CONTINUOUS");
  }
  if (SameName(name, "BYBLOCK")) return block != nullptr ? block->dashes : std::span<const float>();
  const LineTypeStyle* lineType = tables_.LineType(name);
  return lineType != nullptr ? std::span<const float>(lineType->pattern) : std::span<const float>();
}

Pen StyleResolver::PenFor(const StyleGroups& groups, const BlockStyle* block) const {
  const Layer layer = LayerOf(groups, block);
  Pen pen;
  const bool layerOff = layer.style != nullptr && layer.style->colourNumber < 0;
  const bool layerFrozen = layer.style != nullptr && layer.style->frozen;
  if (lineColours_ || allKinds_) pen.visible = !layerOff;
  if (allKinds_ && layerFrozen) pen.visible = false;
  if (lineColours_) {
    pen.setsColour = true;
    pen.colour = colours_.Seen(ColourOf(groups, layer, block));
  }
  if (lineTypes_) {
    pen.setsDashes = true;
    pen.dashes = DashesOf(groups, layer, block);
    pen.dashScale = tables_.LineTypeScale() * groups.lineTypeScale;
  }
  return pen;
}

BlockStyle StyleResolver::ForInsert(const StyleGroups& groups, const BlockStyle* outer) const {
  const Layer layer = LayerOf(groups, outer);
  BlockStyle style;
  style.layer = layer.name;
  style.colour = ColourOf(groups, layer, outer);
  style.dashes = DashesOf(groups, layer, outer);
  return style;
}

}  // namespace karvex
