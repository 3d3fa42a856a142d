#pragma once
// LWPOLYLINE: vertices (10/20), each with the bulge (42) of the segment
// that leaves it, closed by flag 70 bit 1, seen along its extrusion.
// Widths (40/41/43) are drawn as the centre line.
#include <cstdint>
#include <vector>

#include "dxf/group_pair_reader.h"
#include "render/entity_drawer.h"
#include "render/kinds/object_axes.h"
#include "render/kinds/vertex_path.h"

namespace karvex {

class LwPolylineRecord {
 public:
  // One group of the entity, its value current in pairs.
  void Take(std::int32_t code, GroupPairReader& pairs);
  // The path as drawn: closed, mirrored when seen from below.
  std::vector<PathVertex>& Vertices() { return vertices_; }
  bool Closed() const { return closed_; }
  const ObjectAxes& Axes() const { return axes_; }

 private:
  std::vector<PathVertex> vertices_;
  bool closed_ = false;
  ObjectAxes axes_;
};

template <class Sink, class Place, class In>
void DrawLwPolyline(EntityDrawer& walk, const Placement& placement) {
  In& in = walk.Input();
  LwPolylineRecord record;
  in.ReadGroups([&](std::int32_t code) { record.Take(code, in.Pairs()); });
  walk.ApplyStyle();
  if (record.Axes().Mirrored()) MirrorPath(record.Vertices());
  DrawVertexPath(static_cast<Sink&>(walk.Figures()), static_cast<const Place&>(placement), record.Vertices(),
                 record.Closed());
}

}  // namespace karvex
