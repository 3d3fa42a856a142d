#include "render/kinds/lwpolyline_kind.h"

#include "dxf/number_conversion.h"

namespace karvex {

// Each group 10 starts a vertex; 20 and 42 belong to the vertex begun last
// (and are not taken before the first).
void LwPolylineRecord::Take(std::int32_t code, GroupPairReader& pairs) {
  switch (code) {
    case 10: vertices_.push_back({pairs.GroupValueAsFloat(), 0, 0}); break;
    case 20:
      if (!vertices_.empty()) vertices_.back().y = pairs.GroupValueAsFloat();
      break;
    case 42:
      if (!vertices_.empty()) vertices_.back().bulge = pairs.GroupValueAsFloat();
      break;
    case 70: closed_ = (ConvertInteger(pairs.GroupValue()) & 1) != 0; break;
    case 230: axes_.Take(code, pairs.GroupValueAsFloat()); break;
    default: break;
  }
}

}  // namespace karvex
