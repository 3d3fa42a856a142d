#include "render/kinds/face_kind.h"

#include "dxf/number_conversion.h"

namespace karvex {

void FaceRecord::Take(std::int32_t code, GroupPairReader& pairs) {
  if (code >= 10 && code <= 13) x_[static_cast<std::size_t>(code - 10)] = pairs.GroupValueAsFloat();
  if (code >= 20 && code <= 23) y_[static_cast<std::size_t>(code - 20)] = pairs.GroupValueAsFloat();
  if (code == 13 || code == 23) fourthGiven_ = true;
  if (code == 70) invisibleEdges_ = ConvertInteger(pairs.GroupValue());
}

void FaceRecord::Finish() {
  if (fourthGiven_) return;
  x_[3] = x_[2];
  y_[3] = y_[2];
}

}  // namespace karvex
