#pragma once
// A polyline's path through its vertices: straight segments, and true arcs
// where a vertex has a bulge. The arcs go to the figure sink as arcs, so
// that they are as fine as the picture and both walks place them alike;
// the path goes on from the arc's end vertex.
#include <cstddef>
#include <span>

#include <type_traits>

#include "render/affine_placement.h"
#include "render/bulge_arc.h"
#include "render/kinds/placed_figures.h"

namespace karvex {

struct PathVertex {
  float x = 0, y = 0;
  // The bulge of the segment from this vertex to the next.
  float bulge = 0;
};

// Mirrors the vertices left to right: x to -x, and every arc turns the
// other way.
inline void MirrorPath(std::span<PathVertex> vertices) {
  for (PathVertex& vertex : vertices) {
    vertex.x = -vertex.x;
    vertex.bulge = -vertex.bulge;
  }
}

// Inside a block placed with its INSERT's scale, the arc is placed as the
// block's arcs are: scaled, turned the other way when mirrored.
template <class Sink, class Place>
void DrawBulgeArc(Sink& figures, const Place& place, const BulgeArc& arc) {
  const auto x = static_cast<float>(arc.centreX);
  const auto y = static_cast<float>(arc.centreY);
  const auto radius = static_cast<float>(arc.radius);
  if constexpr (std::is_same_v<Place, AffinePlacement>) {
    DrawPlacedArc(figures, place, x, y, radius, static_cast<float>(arc.startDegrees),
                  static_cast<float>(arc.endDegrees));
    return;
  }
  figures.Arc(place.Point(x, y), radius, place.RadialPoint(x, y, radius, static_cast<float>(arc.startDegrees)),
              place.RadialPoint(x, y, radius, static_cast<float>(arc.endDegrees)));
}

// Fewer than two vertices draw nothing; closed adds the segment from the
// last vertex back to the first, with the last vertex's bulge.
template <class Sink, class Place>
void DrawVertexPath(Sink& figures, const Place& place, std::span<const PathVertex> vertices, bool closed) {
  const std::size_t count = vertices.size();
  if (count < 2) return;
  figures.MoveTo(place.Point(vertices[0].x, vertices[0].y));
  const std::size_t segments = closed ? count : count - 1;
  for (std::size_t i = 0; i < segments; ++i) {
    const PathVertex& from = vertices[i];
    const PathVertex& to = vertices[(i + 1) % count];
    if (const auto arc = ArcOfBulge(from.x, from.y, to.x, to.y, from.bulge)) {
      DrawBulgeArc(figures, place, *arc);
      figures.MoveTo(place.Point(to.x, to.y));
    } else {
      figures.LineTo(place.Point(to.x, to.y));
    }
  }
}

}  // namespace karvex
