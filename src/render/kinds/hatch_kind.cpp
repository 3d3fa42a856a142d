#include "render/kinds/hatch_kind.h"

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
      // The pattern's lines and the seed points are not drawn.
      if (code == 230) axes_.Take(code, pairs.GroupValueAsFloat());
      return;
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
