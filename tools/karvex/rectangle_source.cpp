#include "karvex/rectangle_source.h"

#include <array>
#include <cstdio>
#include <optional>

namespace karvex::tools {
namespace {

enum class Source { Extents, Limits, Origin, FallBack, Header };

// The fall-back span of an axis that no variable moved away from the origin.
constexpr long double kFallBackSpan = 10000;

bool Gives(const std::optional<float>& coordinate, float value) { return coordinate && *coordinate == value; }

Source SourceOfMinimum(float value, const std::optional<float>& extents, const std::optional<float>& limits) {
  if (Gives(extents, value)) return Source::Extents;
  if (Gives(limits, value)) return Source::Limits;
  return value == 0 ? Source::Origin : Source::Header;
}

Source SourceOfMaximum(float value, float minimum, const std::optional<float>& extents,
                       const std::optional<float>& limits) {
  if (Gives(extents, value)) return Source::Extents;
  if (Gives(limits, value)) return Source::Limits;
  if (value != 0 && value == static_cast<float>(minimum + kFallBackSpan)) return Source::FallBack;
  return value == 0 ? Source::Origin : Source::Header;
}

bool GivesAnyCoordinate(const HeaderRectangle& header) {
  for (const HeaderPoint* point : {&header.extMin, &header.extMax, &header.limMin, &header.limMax}) {
    if (point->x || point->y) return true;
  }
  return false;
}

const char* Name(Source source, bool minimum) {
  switch (source) {
    case Source::Extents: return minimum ? "$EXTMIN" : "$EXTMAX";
    case Source::Limits: return minimum ? "$LIMMIN" : "$LIMMAX";
    case Source::Origin: return "the origin";
    case Source::FallBack: return "the fall-back";
    case Source::Header: break;
  }
  return "the HEADER";
}

}  // namespace

std::string FloatText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

std::string RectangleText(const DrawingExtents& extents) {
  return "(" + FloatText(extents.ExtMinX) + ", " + FloatText(extents.ExtMinY) + ") to (" +
         FloatText(extents.ExtMaxX) + ", " + FloatText(extents.ExtMaxY) + ")";
}

std::string RectangleSource(const DrawingExtents& extents, const DrawingFacts& facts) {
  const HeaderRectangle& header = facts.headerRectangle;
  // minimum x, minimum y, maximum x, maximum y
  const std::array<Source, 4> sources = {
      SourceOfMinimum(extents.ExtMinX, header.extMin.x, header.limMin.x),
      SourceOfMinimum(extents.ExtMinY, header.extMin.y, header.limMin.y),
      SourceOfMaximum(extents.ExtMaxX, extents.ExtMinX, header.extMax.x, header.limMax.x),
      SourceOfMaximum(extents.ExtMaxY, extents.ExtMinY, header.extMax.y, header.limMax.y),
  };
  // One kind of source, the origin aside, is told by its name.
  std::optional<Source> only;
  bool mixed = false;
  bool origin = false;
  for (Source source : sources) {
    if (source == Source::Origin) {
      origin = true;
    } else if (!only) {
      only = source;
    } else if (*only != source) {
      mixed = true;
    }
  }
  const std::string widened = origin ? ", widened to take in the origin" : "";
  if (!mixed && only == Source::Extents) return "from the extents ($EXTMIN, $EXTMAX)" + widened;
  if (!mixed && only == Source::Limits) return "from the limits ($LIMMIN, $LIMMAX)" + widened;
  if (!mixed && only == Source::FallBack) {
    return std::string("the fall-back of 10000 units each way from the origin, as ") +
           (GivesAnyCoordinate(header) ? "the HEADER's extents and limits span nothing"
                                       : "the HEADER has no $EXTMIN, $EXTMAX, $LIMMIN or $LIMMAX");
  }
  return std::string("x from ") + Name(sources[0], true) + " to " + Name(sources[2], false) + ", y from " +
         Name(sources[1], true) + " to " + Name(sources[3], false);
}

}  // namespace karvex::tools
