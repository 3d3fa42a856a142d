#pragma once
// 3DFACE: the edges between its corners 1-2-3-4 (10-13 / 20-23, in world
// coordinates, seen from above), each left out when its bit of group 70
// says it is invisible (1: edge 1-2, 2: 2-3, 4: 3-4, 8: 4-1). A face with
// three corners gives none for the fourth, which is then the third.
#include <array>
#include <cstdint>

#include "dxf/group_pair_reader.h"
#include "render/entity_drawer.h"

namespace karvex {

class FaceRecord {
 public:
  void Take(std::int32_t code, GroupPairReader& pairs);
  // After the last group: the fourth corner, if not given, is the third.
  void Finish();
  float X(std::size_t corner) const { return x_[corner]; }
  float Y(std::size_t corner) const { return y_[corner]; }
  bool EdgeVisible(std::size_t edge) const { return (invisibleEdges_ & (1 << edge)) == 0; }

 private:
  std::array<float, 4> x_{};
  std::array<float, 4> y_{};
  bool fourthGiven_ = false;
  std::int32_t invisibleEdges_ = 0;
};

template <class Sink, class Place, class In>
void DrawFace(EntityDrawer& walk, const Placement& placement) {
  In& in = walk.Input();
  FaceRecord face;
  in.ReadGroups([&](std::int32_t code) { face.Take(code, in.Pairs()); });
  face.Finish();
  walk.ApplyStyle();
  auto& figures = static_cast<Sink&>(walk.Figures());
  const auto& place = static_cast<const Place&>(placement);
  constexpr std::size_t kCorners = 4;
  bool penDown = false;
  for (std::size_t edge = 0; edge < kCorners; ++edge) {
    if (!face.EdgeVisible(edge)) {
      penDown = false;
      continue;
    }
    if (!penDown) figures.MoveTo(place.Point(face.X(edge), face.Y(edge)));
    const std::size_t next = (edge + 1) % kCorners;
    figures.LineTo(place.Point(face.X(next), face.Y(next)));
    penDown = true;
  }
}

}  // namespace karvex
