#pragma once
// HATCH: its boundary paths (polylines with bulges, or edges: lines,
// circular and elliptic arcs, splines) turned into rings of points. A solid
// fill (flag 70 bit 1, or the pattern SOLID) fills the rings, even-odd, so
// that islands are holes; a pattern hatch draws the rings' outlines and
// its pattern's lines (53 angle, 43/44 base point, 45/46 offset to the next
// line, 49 dashes) inside them, even-odd as the fill.
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <vector>

#include "dxf/group_pair_reader.h"
#include "render/affine_placement.h"
#include "render/drawing_point.h"
#include "render/entity_drawer.h"
#include "render/kinds/object_axes.h"

namespace karvex {

class HatchRecord {
 public:
  // One group of the entity, its value current in pairs.
  void Take(std::int32_t code, GroupPairReader& pairs);
  // Turns the paths read into rings, in the entity's object coordinates
  // (mirrored when seen from below).
  void Finish();

  bool Solid() const { return solid_; }
  // The rings' points one after another, and how many each ring has.
  std::span<const DrawingPoint> Points() const { return points_; }
  std::span<const std::int32_t> RingSizes() const { return ringSizes_; }
  // The pieces of the pattern's lines that lie inside the rings, as the
  // ends of each piece one after another; at most kMostPatternPieces.
  std::vector<DrawingPoint> PatternPieces() const;

  // Bounds the work of a pattern finer than any picture shows: lines per
  // pattern line family, and pieces per hatch.
  static constexpr std::size_t kMostPatternLines = 4096;
  static constexpr std::size_t kMostPatternPieces = 100000;

 private:
  enum class Part : std::uint8_t { Header, Paths, Pattern };
  enum class EdgeType : std::uint8_t { None, Line, CircularArc, EllipticArc, Spline };
  struct Edge {
    EdgeType type = EdgeType::None;
    // Line: start 10/20, end 11/21. Arcs: centre 10/20; a circle's radius
    // 40; an ellipse's major axis end 11/21 (from the centre) and ratio 40;
    // start and end 50/51 in degrees; 73 counter-clockwise.
    double x = 0, y = 0, x2 = 0, y2 = 0, size = 0, start = 0, end = 360;
    bool counterClockwise = true;
    // Splines: control points 10/20, fit points 11/21.
    std::vector<DrawingPoint> controls, fits;
  };
  struct Vertex {
    double x = 0, y = 0, bulge = 0;
  };
  struct PatternLine {
    double angle = 0;  // degrees
    double baseX = 0, baseY = 0, offsetX = 0, offsetY = 0;
    std::vector<double> dashes;
  };
  struct Path {
    bool polyline = false;
    std::vector<Vertex> vertices;
    std::vector<Edge> edges;
  };

  void TakePathGroup(std::int32_t code, GroupPairReader& pairs);
  void TakeEdgeGroup(Edge& edge, std::int32_t code, double value);
  void TakePatternGroup(std::int32_t code, GroupPairReader& pairs);
  void AddPoint(double x, double y);
  void AddArc(double cx, double cy, double majorX, double majorY, double ratio, double startDegrees,
              double endDegrees, bool counterClockwise);
  void AddPolylineRing(const Path& path);
  void AddEdgeRing(const Path& path);

  Part part_ = Part::Header;
  bool solid_ = false;
  ObjectAxes axes_;
  std::vector<Path> paths_;
  std::vector<PatternLine> pattern_;
  std::vector<DrawingPoint> points_;
  std::vector<std::int32_t> ringSizes_;
};

// A point the record computed, placed: inside a block with its INSERT.
template <class Place>
DrawingPoint PlaceComputed(const Place& place, long double x, long double y) {
  if constexpr (std::is_same_v<Place, AffinePlacement>) {
    return place.Place(x, y);
  } else {
    return place.Point(static_cast<float>(x), static_cast<float>(y));
  }
}

template <class Sink, class Place, class In>
void DrawHatch(EntityDrawer& walk, const Placement& placement) {
  In& in = walk.Input();
  HatchRecord record;
  in.ReadGroups([&](std::int32_t code) { record.Take(code, in.Pairs()); });
  record.Finish();
  walk.ApplyStyle();
  if (record.RingSizes().empty()) return;
  auto& figures = static_cast<Sink&>(walk.Figures());
  const auto& place = static_cast<const Place&>(placement);
  std::vector<DrawingPoint> placed;
  placed.reserve(record.Points().size());
  for (const DrawingPoint& point : record.Points()) placed.push_back(PlaceComputed(place, point.x, point.y));
  if (record.Solid()) {
    figures.Fill(placed, record.RingSizes());
    return;
  }
  std::size_t first = 0;
  for (const std::int32_t size : record.RingSizes()) {
    const auto count = static_cast<std::size_t>(size);
    figures.MoveTo(placed[first]);
    for (std::size_t i = 1; i < count; ++i) figures.LineTo(placed[first + i]);
    figures.LineTo(placed[first]);
    first += count;
  }
  const std::vector<DrawingPoint> pieces = record.PatternPieces();
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
    figures.MoveTo(PlaceComputed(place, pieces[i].x, pieces[i].y));
    figures.LineTo(PlaceComputed(place, pieces[i + 1].x, pieces[i + 1].y));
  }
}

}  // namespace karvex
