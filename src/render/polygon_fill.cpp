#include "render/polygon_fill.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace karvex {
namespace {

// Crossings of edges with rows one fill may compute: a fill whose edges
// all span the picture (hundreds of thousands of them, which no drawing
// means) stops there, its outline still drawn.
constexpr std::uint64_t kMostCrossings = std::uint64_t{1} << 22;

struct Edge {
  // From the upper end (smaller row) to the lower.
  double topY, bottomY;
  double x;      // at topY
  double slope;  // x per row
};

}  // namespace

std::int64_t RingPoints(std::span<const PolygonPoint> points, std::span<const std::int32_t> ringSizes) {
  std::int64_t total = 0;
  for (std::int32_t size : ringSizes) {
    if (size < 0) return -1;
    total += size;
  }
  return total <= static_cast<std::int64_t>(points.size()) ? total : -1;
}

void FillEvenOdd(const PixelGrid& grid, std::int32_t width, std::int32_t height, std::span<const PolygonPoint> points,
                 std::span<const std::int32_t> ringSizes) {
  if (RingPoints(points, ringSizes) < 0 || width <= 0 || height <= 0) return;
  std::vector<Edge> edges;
  std::size_t first = 0;
  for (std::int32_t size : ringSizes) {
    const auto count = static_cast<std::size_t>(size);
    for (std::size_t i = 0; i < count; ++i) {
      const PolygonPoint& a = points[first + i];
      const PolygonPoint& b = points[first + (i + 1) % count];
      if (a.y == b.y) continue;  // crosses no row centre of its own
      const PolygonPoint& top = a.y < b.y ? a : b;
      const PolygonPoint& bottom = a.y < b.y ? b : a;
      const double slope = static_cast<double>(bottom.x - static_cast<double>(top.x)) / (bottom.y - static_cast<double>(top.y));
      edges.push_back({static_cast<double>(top.y), static_cast<double>(bottom.y), static_cast<double>(top.x), slope});
    }
    first += count;
  }
  if (edges.empty()) return;
  std::sort(edges.begin(), edges.end(), [](const Edge& l, const Edge& r) { return l.topY < r.topY; });
  double lowest = edges.front().topY;
  double highest = edges.front().bottomY;
  for (const Edge& edge : edges) highest = std::max(highest, edge.bottomY);
  // Row y's centre is y itself (whole coordinates are pixel centres); an
  // edge spans the rows in [topY, bottomY).
  const auto fromRow = static_cast<std::int32_t>(std::max(0.0, std::ceil(lowest)));
  const auto toRow = static_cast<std::int32_t>(std::min(static_cast<double>(height), std::ceil(highest)));
  std::vector<const Edge*> active;
  std::vector<double> crossings;
  std::size_t next = 0;
  std::uint64_t crossed = 0;
  for (std::int32_t y = fromRow; y < toRow; ++y) {
    while (next < edges.size() && edges[next].topY <= y) active.push_back(&edges[next++]);
    active.erase(std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->bottomY <= y; }),
                 active.end());
    crossed += active.size();
    if (crossed > kMostCrossings) return;
    crossings.clear();
    for (const Edge* edge : active) crossings.push_back(edge->x + (y - edge->topY) * edge->slope);
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Centres x with left <= x < right.
      const double left = std::max(0.0, std::ceil(crossings[i]));
      const double right = std::min(static_cast<double>(width), std::ceil(crossings[i + 1]));
      for (auto x = static_cast<std::int32_t>(left); x < right; ++x) grid.PlotInside(x, y);
    }
  }
}

}  // namespace karvex
