#pragma once
// POLYLINE read whole: a 2D polyline with the bulges of its vertices (42) as
// true arcs, seen along its extrusion; a 3D polyline straight through its
// points; a polygon mesh (flag 16) as the lines of its M x N grid of
// vertices (71/72, closed in M by flag 1, in N by flag 32); a polyface mesh
// (flag 64) as the visible edges of its faces. Spline frame points
// (vertex flag 16) are not on the curve and are left out.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "dxf/group_pair_reader.h"
#include "render/entity_drawer.h"
#include "render/kinds/object_axes.h"
#include "render/kinds/vertex_path.h"

namespace karvex {

class PolylineRecord {
 public:
  struct Path {
    std::size_t first = 0;
    std::size_t count = 0;
    bool closed = false;
  };

  // A group of the POLYLINE itself, its value current in pairs.
  void TakeHeader(std::int32_t code, GroupPairReader& pairs);
  // A VERTEX begins: where it gives no 10 or 20, it keeps the last one's.
  void StartVertex();
  void TakeVertex(std::int32_t code, GroupPairReader& pairs);
  // After the last vertex: the paths to draw.
  void Finish();

  std::span<const PathVertex> PathOf(const Path& path) const {
    return std::span<const PathVertex>(points_).subspan(path.first, path.count);
  }
  const std::vector<Path>& Paths() const { return paths_; }

 private:
  struct Vertex {
    PathVertex point;
    std::int32_t flags = 0;
    std::array<std::int32_t, 4> corners{};  // a polyface face's vertex numbers
  };

  void AddPath(std::size_t first, bool closed);
  void FinishMesh();
  void FinishFaces();
  void FinishLine();

  std::int32_t flags_ = 0;
  std::int32_t meshM_ = 0;
  std::int32_t meshN_ = 0;
  ObjectAxes axes_;
  std::vector<Vertex> vertices_;
  std::vector<PathVertex> points_;
  std::vector<Path> paths_;
};

// Reads the POLYLINE and its VERTEX entities, and leaves the SEQEND (or
// whatever else ends the vertices) current.
template <class Sink, class Place, class In>
void DrawFullPolyline(EntityDrawer& walk, const Placement& placement) {
  In& in = walk.Input();
  PolylineRecord record;
  in.ReadGroups([&](std::int32_t code) { record.TakeHeader(code, in.Pairs()); });
  walk.ApplyStyle();
  while (in.Pairs().Is(0, "VERTEX")) {
    record.StartVertex();
    in.ReadGroups([&](std::int32_t code) { record.TakeVertex(code, in.Pairs()); });
  }
  record.Finish();
  auto& figures = static_cast<Sink&>(walk.Figures());
  const auto& place = static_cast<const Place&>(placement);
  for (const PolylineRecord::Path& path : record.Paths()) DrawVertexPath(figures, place, record.PathOf(path), path.closed);
}

}  // namespace karvex
