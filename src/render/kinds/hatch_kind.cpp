#include "render/kinds/hatch_kind.h"

#include <algorithm>
#include <cmath>

#include "dxf/number_conversion.h"
#include "render/bulge_arc.h"
#include "render/kinds/placed_figures.h"

namespace karvex {
namespace {

constexpr double kDegree = 0.017453292519943295769;

std::int32_t IntegerOf(GroupPairReader& pairs) {
  const std::optional<std::int32_t> value = ParseInteger(pairs.GroupValue());
  return value ? *value : 0;
}

}  // namespace

void HatchRecord::Take(std::int32_t code, GroupPairReader& pairs) {
  switch (part_) {
    case Part::Header:
      if (code == 2 && pairs.GroupValue() == "SOLID") solid_ = true;
      if (code == 70 && (IntegerOf(pairs) & 1) != 0) solid_ = true;
      if (code == 230) axes_.Take(code, pairs.GroupValueAsFloat());
      if (code == 91) part_ = Part::Paths;
      return;
    case Part::Paths:
      if (code == 75 || code == 76) {
        part_ = Part::Pattern;
        return;
      }
      TakePathGroup(code, pairs);
      return;
    case Part::Pattern:
      TakePatternGroup(code, pairs);
      return;
  }
}

// The seed points (98, then 10/20) are not drawn.
void HatchRecord::TakePatternGroup(std::int32_t code, GroupPairReader& pairs) {
  if (code == 230) axes_.Take(code, pairs.GroupValueAsFloat());
  if (code == 53) {
    pattern_.push_back({pairs.GroupValueAsFloat(), 0, 0, 0, 0, {}});
    return;
  }
  if (pattern_.empty()) return;
  PatternLine& line = pattern_.back();
  switch (code) {
    case 43: line.baseX = pairs.GroupValueAsFloat(); break;
    case 44: line.baseY = pairs.GroupValueAsFloat(); break;
    case 45: line.offsetX = pairs.GroupValueAsFloat(); break;
    case 46: line.offsetY = pairs.GroupValueAsFloat(); break;
    case 49: line.dashes.push_back(pairs.GroupValueAsFloat()); break;
    default: break;
  }
}

void HatchRecord::TakePathGroup(std::int32_t code, GroupPairReader& pairs) {
  if (code == 92) {
    paths_.push_back(Path{(IntegerOf(pairs) & 2) != 0, {}, {}});
    return;
  }
  if (paths_.empty()) return;
  Path& path = paths_.back();
  if (path.polyline) {
    switch (code) {
      case 10: path.vertices.push_back({pairs.GroupValueAsFloat(), 0, 0}); break;
      case 20: if (!path.vertices.empty()) path.vertices.back().y = pairs.GroupValueAsFloat(); break;
      case 42: if (!path.vertices.empty()) path.vertices.back().bulge = pairs.GroupValueAsFloat(); break;
      default: break;
    }
    return;
  }
  if (code == 72) {
    const std::int32_t type = IntegerOf(pairs);
    Edge edge;
    if (type >= 1 && type <= 4) edge.type = static_cast<EdgeType>(type);
    path.edges.push_back(std::move(edge));
    return;
  }
  if (path.edges.empty()) return;
  switch (code) {
    case 10: case 20: case 11: case 21: case 40: case 50: case 51:
      TakeEdgeGroup(path.edges.back(), code, pairs.GroupValueAsFloat());
      break;
    case 73: path.edges.back().counterClockwise = IntegerOf(pairs) != 0; break;
    default: break;
  }
}

void HatchRecord::TakeEdgeGroup(Edge& edge, std::int32_t code, double value) {
  if (edge.type == EdgeType::Spline) {
    std::vector<DrawingPoint>& points = code == 10 || code == 20 ? edge.controls : edge.fits;
    if (code == 10 || code == 11) points.push_back({value, 0});
    if ((code == 20 || code == 21) && !points.empty()) points.back().y = value;
    return;
  }
  switch (code) {
    case 10: edge.x = value; break;
    case 20: edge.y = value; break;
    case 11: edge.x2 = value; break;
    case 21: edge.y2 = value; break;
    case 40: edge.size = value; break;
    case 50: edge.start = value; break;
    case 51: edge.end = value; break;
    default: break;
  }
}

void HatchRecord::AddPoint(double x, double y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  points_.push_back({axes_.Mirrored() ? -x : x, y});
}

// Counter-clockwise from start to end, or clockwise from start to end
// where the file keeps a clockwise arc's angles as 360 less the true ones.
void HatchRecord::AddArc(double cx, double cy, double majorX, double majorY, double ratio, double startDegrees,
                         double endDegrees, bool counterClockwise) {
  if (!std::isfinite(startDegrees) || !std::isfinite(endDegrees)) return;
  double sweep = std::fmod(endDegrees - startDegrees, 360.0);
  if (sweep <= 0) sweep += 360.0;
  const double minorX = -majorY * ratio;
  const double minorY = majorX * ratio;
  const std::size_t segments = SegmentsFor(sweep * kDegree);
  for (std::size_t i = 0; i <= segments; ++i) {
    double angle = (startDegrees + sweep * static_cast<double>(i) / static_cast<double>(segments)) * kDegree;
    if (!counterClockwise) angle = -angle;
    AddPoint(cx + majorX * std::cos(angle) + minorX * std::sin(angle),
             cy + majorY * std::cos(angle) + minorY * std::sin(angle));
  }
}

void HatchRecord::AddPolylineRing(const Path& path) {
  const std::size_t count = path.vertices.size();
  for (std::size_t i = 0; i < count; ++i) {
    const Vertex& from = path.vertices[i];
    const Vertex& to = path.vertices[(i + 1) % count];
    AddPoint(from.x, from.y);
    const std::optional<BulgeArc> arc = ArcOfBulge(from.x, from.y, to.x, to.y, from.bulge);
    if (!arc) continue;
    // The arc runs counter-clockwise from start to end; a negative bulge
    // goes round it the other way, from its end.
    if (from.bulge > 0) {
      AddArc(arc->centreX, arc->centreY, arc->radius, 0, 1, arc->startDegrees, arc->endDegrees, true);
    } else {
      AddArc(arc->centreX, arc->centreY, arc->radius, 0, 1, 360.0 - arc->endDegrees, 360.0 - arc->startDegrees,
             false);
    }
  }
}

void HatchRecord::AddEdgeRing(const Path& path) {
  for (const Edge& edge : path.edges) {
    switch (edge.type) {
      case EdgeType::Line:
        AddPoint(edge.x, edge.y);
        AddPoint(edge.x2, edge.y2);
        break;
      case EdgeType::CircularArc:
        AddArc(edge.x, edge.y, edge.size, 0, 1, edge.start, edge.end, edge.counterClockwise);
        break;
      case EdgeType::EllipticArc:
        AddArc(edge.x, edge.y, edge.x2, edge.y2, edge.size, edge.start, edge.end, edge.counterClockwise);
        break;
      case EdgeType::Spline:
        // Through the fit points where there are any, else along the
        // control polygon, which the curve follows closely.
        for (const DrawingPoint& point : edge.fits.empty() ? edge.controls : edge.fits) {
          AddPoint(static_cast<double>(point.x), static_cast<double>(point.y));
        }
        break;
      case EdgeType::None:
        break;
    }
  }
}

namespace {

// Where the line through origin along direction crosses the rings, as
// distances along it, sorted: between the first and second, the third and
// fourth, ... it lies inside.
std::vector<double> Crossings(std::span<const DrawingPoint> points, std::span<const std::int32_t> ringSizes,
                              double originX, double originY, double dirX, double dirY) {
  std::vector<double> along;
  std::size_t first = 0;
  for (const std::int32_t size : ringSizes) {
    const auto count = static_cast<std::size_t>(size);
    for (std::size_t i = 0; i < count; ++i) {
      const DrawingPoint& a = points[first + i];
      const DrawingPoint& b = points[first + (i + 1) % count];
      // Signed distances from the line; an end on it counts as above.
      const double da = -(static_cast<double>(a.x) - originX) * dirY + (static_cast<double>(a.y) - originY) * dirX;
      const double db = -(static_cast<double>(b.x) - originX) * dirY + (static_cast<double>(b.y) - originY) * dirX;
      if ((da < 0) == (db < 0)) continue;
      const double share = da / (da - db);
      const double x = static_cast<double>(a.x) + share * static_cast<double>(b.x - a.x);
      const double y = static_cast<double>(a.y) + share * static_cast<double>(b.y - a.y);
      along.push_back((x - originX) * dirX + (y - originY) * dirY);
    }
    first += count;
  }
  std::sort(along.begin(), along.end());
  return along;
}

}  // namespace

std::vector<DrawingPoint> HatchRecord::PatternPieces() const {
  std::vector<DrawingPoint> pieces;
  if (solid_ || ringSizes_.empty()) return pieces;
  const double mirror = axes_.Mirrored() ? -1.0 : 1.0;
  for (const PatternLine& family : pattern_) {
    const double dirX = mirror * std::cos(family.angle * kDegree);
    const double dirY = std::sin(family.angle * kDegree);
    const double baseX = mirror * family.baseX;
    const double offsetX = mirror * family.offsetX;
    // How far apart the lines lie, across them.
    const double across = -offsetX * dirY + family.offsetY * dirX;
    if (!std::isfinite(across) || std::fabs(across) < 1e-12) continue;
    double lowest = INFINITY, highest = -INFINITY;
    for (const DrawingPoint& point : points_) {
      const double side = -(static_cast<double>(point.x) - baseX) * dirY + (static_cast<double>(point.y) - family.baseY) * dirX;
      lowest = std::min(lowest, side);
      highest = std::max(highest, side);
    }
    const double fromLine = std::ceil(std::min(lowest / across, highest / across));
    const double toLine = std::floor(std::max(lowest / across, highest / across));
    if (!(toLine - fromLine < static_cast<double>(kMostPatternLines))) continue;
    double period = 0;
    for (double dash : family.dashes) period += std::fabs(dash);
    for (double k = fromLine; k <= toLine; ++k) {
      // The line's own origin, where its dash pattern starts.
      const double originX = baseX + k * offsetX;
      const double originY = family.baseY + k * family.offsetY;
      const std::vector<double> along = Crossings(points_, ringSizes_, originX, originY, dirX, dirY);
      auto addPiece = [&](double from, double to) {
        pieces.push_back({originX + from * dirX, originY + from * dirY});
        pieces.push_back({originX + to * dirX, originY + to * dirY});
      };
      for (std::size_t i = 0; i + 1 < along.size(); i += 2) {
        const double from = along[i];
        const double to = along[i + 1];
        // Dashes finer than the bound on pieces draw as a whole line.
        if (family.dashes.empty() || !(period > 0) || (to - from) / period > kMostPatternPieces) {
          addPiece(from, to);
        } else {
          // Dashes from the pattern period that holds from on.
          double at = std::floor(from / period) * period;
          while (at < to && pieces.size() < 2 * kMostPatternPieces) {
            for (double dash : family.dashes) {
              const double end = at + std::fabs(dash);
              if (dash >= 0 && end >= from && at < to) addPiece(std::max(at, from), std::min(end, to));
              at = end;
            }
          }
        }
        if (pieces.size() >= 2 * kMostPatternPieces) return pieces;
      }
    }
  }
  return pieces;
}

void HatchRecord::Finish() {
  for (const Path& path : paths_) {
    const std::size_t before = points_.size();
    if (path.polyline) {
      AddPolylineRing(path);
    } else {
      AddEdgeRing(path);
    }
    const std::size_t added = points_.size() - before;
    // A ring of fewer than three points encloses nothing.
    if (added < 3) {
      points_.resize(before);
      continue;
    }
    ringSizes_.push_back(static_cast<std::int32_t>(added));
  }
  paths_.clear();
}

}  // namespace karvex
