#pragma once
// Which outline points an arc draws.
//
// The outline is taken as one counter-clockwise sequence starting at the
// rightmost point: the quarter walk (quadrant 0, up and left), its mirror
// image walked back down (quadrant 1, x negated), then both mirrored below
// the centre (quadrant 2 walked forwards, quadrant 3 backwards). Points that
// two quadrants share appear once: the top point of an odd-width box belongs
// to quadrants 0 and 3 only, and the rightmost point of an odd-height box to
// quadrants 0 and 1 only.
//
// Each point carries an angle measured from the box centre to the point's
// pixel, rounded towards the centre to whole pixels; points that round onto
// an axis take that axis's angle, and those just below the rightmost point
// take 2π. The arc starts at the first point at or past the start ray (past
// it, for rays below the centre) and stops two points before the first point
// at or past the end ray — the platform's pen stops one point early, and the
// point where it stops is not drawn. An end ray at angle 0 keeps the arc
// running to the end of the sequence (for an even height, all but its last
// point).
//
// Two cases follow the drawing rule rather than the platform under Wine:
// start and end on the same ray give the whole ellipse (Wine leaves one
// point out), and a start ray before the end ray with no point between them
// draws nothing (Wine draws nearly the whole ellipse).
#include <cstdint>
#include <optional>

#include "render/arc_angles.h"
#include "render/ellipse_walk.h"

namespace karvex {

// A point's place in the counter-clockwise sequence.
struct ArcPosition {
  int quadrant = 0;        // 0 … 3, or 4 for "past the end"
  std::int64_t order = 0;  // along the quadrant's direction
  WalkPoint point{};       // the walk point it copies (not compared)

  friend bool operator==(const ArcPosition& a, const ArcPosition& b) {
    return a.quadrant == b.quadrant && a.order == b.order;
  }
  friend bool operator<(const ArcPosition& a, const ArcPosition& b) {
    return a.quadrant != b.quadrant ? a.quadrant < b.quadrant : a.order < b.order;
  }
};

constexpr ArcPosition kPastTheEnd{4, 0};

// Quadrant signs: x, then y (y up).
constexpr int kQuadrantSignX[4] = {1, -1, -1, 1};
constexpr int kQuadrantSignY[4] = {1, 1, -1, -1};

template <class Int>
class ArcSelection {
 public:
  // start and end are the rays' vectors from the centre, y up.
  ArcSelection(const QuadrantWalk<Int>& walk, const WalkLocator<Int>& locator, Direction start, Direction end)
      : locator_(locator), cursor_(walk), a_(walk.SemiX()), b_(walk.SemiY()) {
    beginning_ = walk.Beginning();
    afterBeginning_ = Successor(beginning_);
    const WalkSearch last = locator_.Last(cursor_);
    end_ = last.point;
    if (last.hasPrevious) beforeEnd_ = last.previous;

    if (CompareDirections(start, end) == 0) {
      mode_ = Mode::Whole;
      return;
    }
    const ArcPosition first = FirstInQuadrant(0).value();
    const ArcPosition startAt = FirstReaching(start);
    const ArcPosition endAt = FirstReaching(end);
    if (endAt == first) {
      if (startAt == kPastTheEnd) return;  // nothing
      const ArcPosition stop = (b_ & 1) == 0 ? kPastTheEnd : LastElement();
      Select(startAt, stop);
      return;
    }
    if (CompareDirections(start, end) < 0 && startAt == endAt) return;  // nothing
    const ArcPosition stop = Predecessor(endAt);
    Select(startAt == kPastTheEnd ? first : startAt, stop);
  }

  bool Exists(int quadrant, WalkPoint p) const {
    const bool closingPoint = p.x == a_ && p.y == 0;  // rightmost point of an odd height
    switch (quadrant) {
      case 0: return true;
      case 1: return p.x != 0;
      case 2: return p.x != 0 && !closingPoint;
      default: return !closingPoint;
    }
  }

  static ArcPosition PositionOf(int quadrant, WalkPoint p) {
    return {quadrant, quadrant % 2 == 0 ? p.Key() : -p.Key(), p};
  }

  // Whether the arc draws this quadrant's copy of p (which must exist).
  bool Draws(int quadrant, WalkPoint p) const {
    const ArcPosition at = PositionOf(quadrant, p);
    switch (mode_) {
      case Mode::Whole: return true;
      case Mode::Nothing: return false;
      case Mode::Between: return !(at < from_) && at < to_;
      case Mode::AroundTheEnd: return !(at < from_) || at < to_;
    }
    return false;
  }

  bool DrawsNothing() const { return mode_ == Mode::Nothing; }

 private:
  enum class Mode : std::uint8_t { Nothing, Whole, Between, AroundTheEnd };

  // from ≤ point < to, going round past the end when from > to.
  void Select(ArcPosition from, ArcPosition to) {
    if (from == to) return;
    from_ = from;
    to_ = to;
    mode_ = from < to ? Mode::Between : Mode::AroundTheEnd;
  }

  // The angle the outline gives this quadrant's copy of p.
  static Direction AngleOf(int quadrant, WalkPoint p) {
    const std::int64_t x = p.x / 2, y = p.y / 2;
    switch (quadrant) {
      case 0:
        if (x == 0 && y == 0) return {0, 1, false};
        return {x, y, false};
      case 1:
        if (y == 0) return {-1, 0, false};
        return {-x, y, false};
      case 2:
        if (y == 0) return {-1, 0, false};
        return {-x, -y, false};
      default:
        if (x == 0) return {0, -1, false};
        if (y == 0) return {1, 0, true};
        return {x, -y, false};
    }
  }

  std::optional<WalkPoint> Successor(WalkPoint p) {
    cursor_.MoveTo(p);
    const WalkMove move = cursor_.NextMove();
    if (move == WalkMove::End) return std::nullopt;
    cursor_.Step(move);
    return cursor_.Point();
  }

  std::optional<WalkPoint> Predecessor(WalkPoint p) {
    if (p == beginning_) return std::nullopt;
    const WalkSearch search = locator_.FindFirst([&](WalkPoint q) { return q.Key() >= p.Key(); }, cursor_);
    if (!search.hasPrevious) return std::nullopt;
    return search.previous;
  }

  std::optional<ArcPosition> Element(int quadrant, std::optional<WalkPoint> p) const {
    if (!p || !Exists(quadrant, *p)) return std::nullopt;
    return PositionOf(quadrant, *p);
  }

  // First and last element of a quadrant in sequence order, if it has any.
  // The ends of every quadrant are the walk's first two and last two points.
  std::optional<ArcPosition> FirstInQuadrant(int quadrant) const {
    if (quadrant % 2 == 0) {
      if (auto e = Element(quadrant, beginning_)) return e;
      return Element(quadrant, afterBeginning_);
    }
    if (auto e = Element(quadrant, end_)) return e;
    return Element(quadrant, beforeEnd_);
  }
  std::optional<ArcPosition> LastInQuadrant(int quadrant) const {
    if (quadrant % 2 == 0) {
      if (auto e = Element(quadrant, end_)) return e;
      return Element(quadrant, beforeEnd_);
    }
    if (auto e = Element(quadrant, beginning_)) return e;
    return Element(quadrant, afterBeginning_);
  }

  std::optional<ArcPosition> LastBefore(int quadrant) const {
    for (int q = quadrant - 1; q >= 0; --q) {
      if (auto e = LastInQuadrant(q)) return e;
    }
    return std::nullopt;
  }
  ArcPosition LastElement() const { return LastBefore(4).value(); }

  // The element before `at` in the sequence (`at` is not the first).
  ArcPosition Predecessor(ArcPosition at) {
    if (at == kPastTheEnd) return LastElement();
    const WalkPoint p = at.point;
    const std::optional<WalkPoint> neighbour = at.quadrant % 2 == 0 ? Predecessor(p) : Successor(p);
    if (auto e = Element(at.quadrant, neighbour)) return *e;
    return LastBefore(at.quadrant).value();
  }

  // The first element at or past the ray, or kPastTheEnd.
  ArcPosition FirstReaching(const Direction& ray) {
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
      auto reaches = [&](WalkPoint p) { return ReachesRay(AngleOf(quadrant, p), ray); };
      // Angles grow along the sequence: a quadrant whose last element falls
      // short of the ray holds none that reaches it.
      const std::optional<ArcPosition> last = LastInQuadrant(quadrant);
      if (!last || !reaches(last->point)) continue;
      if (quadrant % 2 == 0) {
        // Angles grow along the walk.
        WalkSearch search = locator_.FindFirst(reaches, cursor_);
        if (!search.found) continue;
        if (auto e = Element(quadrant, search.point)) return *e;
        if (auto e = Element(quadrant, Successor(search.point))) return *e;
        continue;
      }
      // Angles shrink along the walk: the first element in sequence order is
      // the last walk point that still reaches the ray.
      const WalkSearch search = locator_.FindFirst([&](WalkPoint p) { return !reaches(p); }, cursor_);
      if (search.found && !search.hasPrevious) continue;  // no point reaches it
      const WalkPoint candidate = search.found ? search.previous : search.point;
      if (auto e = Element(quadrant, candidate)) return *e;
      // A shared point left out: the next element in sequence order is the
      // walk point before it.
      if (auto e = Element(quadrant, Predecessor(candidate))) return *e;
    }
    return kPastTheEnd;
  }

  const WalkLocator<Int>& locator_;
  QuadrantWalk<Int> cursor_;
  std::int64_t a_;
  std::int64_t b_;
  WalkPoint beginning_{};
  std::optional<WalkPoint> afterBeginning_;
  WalkPoint end_{};
  std::optional<WalkPoint> beforeEnd_;
  Mode mode_ = Mode::Nothing;
  ArcPosition from_{};
  ArcPosition to_{};
};

}  // namespace karvex
