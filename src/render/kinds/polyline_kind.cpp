#include "render/kinds/polyline_kind.h"

#include <algorithm>
#include <cstdlib>

#include "dxf/number_conversion.h"

namespace karvex {
namespace {

constexpr std::int32_t kClosed = 1;
constexpr std::int32_t kThreeD = 8;
constexpr std::int32_t kPolygonMesh = 16;
constexpr std::int32_t kClosedInN = 32;
constexpr std::int32_t kPolyfaceMesh = 64;

constexpr std::int32_t kFrameVertex = 16;
constexpr std::int32_t kMeshVertex = 64;
constexpr std::int32_t kFaceRecord = 128;

}  // namespace

void PolylineRecord::TakeHeader(std::int32_t code, GroupPairReader& pairs) {
  switch (code) {
    case 70: flags_ = ConvertInteger(pairs.GroupValue()); break;
    case 71: meshM_ = ConvertInteger(pairs.GroupValue()); break;
    case 72: meshN_ = ConvertInteger(pairs.GroupValue()); break;
    case 230: axes_.Take(code, pairs.GroupValueAsFloat()); break;
    default: break;
  }
}

void PolylineRecord::StartVertex() {
  Vertex vertex;
  if (!vertices_.empty()) {
    vertex.point.x = vertices_.back().point.x;
    vertex.point.y = vertices_.back().point.y;
  }
  vertices_.push_back(vertex);
}

void PolylineRecord::TakeVertex(std::int32_t code, GroupPairReader& pairs) {
  Vertex& vertex = vertices_.back();
  switch (code) {
    case 10: vertex.point.x = pairs.GroupValueAsFloat(); break;
    case 20: vertex.point.y = pairs.GroupValueAsFloat(); break;
    case 42: vertex.point.bulge = pairs.GroupValueAsFloat(); break;
    case 70: vertex.flags = ConvertInteger(pairs.GroupValue()); break;
    case 71:
    case 72:
    case 73:
    case 74: vertex.corners[static_cast<std::size_t>(code - 71)] = ConvertInteger(pairs.GroupValue()); break;
    default: break;
  }
}

void PolylineRecord::Finish() {
  if ((flags_ & kPolyfaceMesh) != 0) {
    FinishFaces();
  } else if ((flags_ & kPolygonMesh) != 0) {
    FinishMesh();
  } else {
    FinishLine();
  }
}

void PolylineRecord::AddPath(std::size_t first, bool closed) { paths_.push_back({first, points_.size() - first, closed}); }

void PolylineRecord::FinishLine() {
  const bool flat = (flags_ & kThreeD) == 0;
  for (const Vertex& vertex : vertices_) {
    if ((vertex.flags & kFrameVertex) != 0) continue;
    PathVertex point = vertex.point;
    if (!flat) point.bulge = 0;
    points_.push_back(point);
  }
  if (flat && axes_.Mirrored()) MirrorPath(points_);
  AddPath(0, (flags_ & kClosed) != 0);
}

// M rows of N vertices each; a mesh that promises more vertices than it has
// is drawn with the whole rows it has.
void PolylineRecord::FinishMesh() {
  const std::size_t count = vertices_.size();
  if (count == 0 || meshN_ < 1 || meshM_ < 1) return;
  const std::size_t n = std::min(static_cast<std::size_t>(meshN_), count);
  const std::size_t m = std::min(static_cast<std::size_t>(meshM_), count / n);
  for (std::size_t row = 0; row < m; ++row) {
    const std::size_t first = points_.size();
    for (std::size_t column = 0; column < n; ++column) points_.push_back(vertices_[row * n + column].point);
    AddPath(first, (flags_ & kClosedInN) != 0);
  }
  for (std::size_t column = 0; column < n; ++column) {
    const std::size_t first = points_.size();
    for (std::size_t row = 0; row < m; ++row) points_.push_back(vertices_[row * n + column].point);
    AddPath(first, (flags_ & kClosed) != 0);
  }
  for (PathVertex& point : points_) point.bulge = 0;
}

// Faces name their corners by vertex number (1 for the first position); a
// negative number makes the edge that starts there invisible. Numbers that
// name no position leave their edges out.
void PolylineRecord::FinishFaces() {
  std::vector<PathVertex> positions;
  for (const Vertex& vertex : vertices_) {
    if ((vertex.flags & kFaceRecord) == 0 || (vertex.flags & kMeshVertex) != 0) {
      positions.push_back({vertex.point.x, vertex.point.y, 0});
    }
  }
  for (const Vertex& face : vertices_) {
    if ((face.flags & kFaceRecord) == 0 || (face.flags & kMeshVertex) != 0) continue;
    std::size_t corners = 0;
    while (corners < face.corners.size() && face.corners[corners] != 0) ++corners;
    for (std::size_t i = 0; i < corners && corners >= 2; ++i) {
      const std::int32_t from = face.corners[i];
      const std::int32_t to = face.corners[(i + 1) % corners];
      if (from < 0) continue;
      const auto fromIndex = static_cast<std::size_t>(from) - 1;
      const auto toIndex = static_cast<std::size_t>(std::abs(static_cast<std::int64_t>(to))) - 1;
      if (fromIndex >= positions.size() || toIndex >= positions.size()) continue;
      const std::size_t first = points_.size();
      points_.push_back(positions[fromIndex]);
      points_.push_back(positions[toIndex]);
      AddPath(first, false);
    }
  }
}

}  // namespace karvex
