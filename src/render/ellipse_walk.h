#pragma once
// One quarter of an ellipse outline as the platform traces it, and the way
// to reach any part of that trace without walking the parts before it.
//
// Coordinates are doubled and relative to the box centre, so that pixel
// centres of even and odd boxes alike are integers: a box w pixels wide has
// the semi-axis A = w − 1, and its columns sit at x ≡ A (mod 2). The quarter
// runs from (A, B mod 2) — the rightmost point at or just above the centre —
// up and to the left. At every step it moves left (H), up (V) or both (D),
// whichever lands closest to the curve by the residual
//   F(x, y) = x²·B² + y²·A² − A²·B²,
// compared by sign in the manner of Bresenham's circle: if the diagonal point
// lies inside the curve, up competes with it, if outside, left does, and a
// tie goes to the diagonal. The walk stops once x reaches 0, or when the next
// point would have x < 0; a narrow ellipse therefore stops short of its top,
// exactly as the platform draws it.
#include <cstdint>

#include "render/wide_int.h"

namespace karvex {

struct WalkPoint {
  std::int64_t x;
  std::int64_t y;
  // Strictly increasing along the walk: every move lowers x or raises y.
  std::int64_t Key() const { return y - x; }
  bool operator==(const WalkPoint&) const = default;
};

enum class WalkMove : std::uint8_t { Left, Up, Diagonal, End };

// Products for the residual: 64-bit for boxes up to 32767 pixels, where
// every residual stays below 2^62; WideInt beyond.
template <class Int>
struct ResidualProducts;

template <>
struct ResidualProducts<std::int64_t> {
  static std::int64_t Of(std::uint64_t a, std::uint64_t b) { return static_cast<std::int64_t>(a * b); }
  static std::int64_t Of(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    return static_cast<std::int64_t>(a * b * c);
  }
};

template <>
struct ResidualProducts<WideInt> {
  static WideInt Of(std::uint64_t a, std::uint64_t b) { return WideInt::Product(a, b); }
  static WideInt Of(std::uint64_t a, std::uint64_t b, std::uint64_t c) { return WideInt::Product(a, b, c); }
};

// Largest semi-axis (doubled units) for which the 64-bit residual is exact.
constexpr std::int64_t kNarrowResidualLimit = 32766;
// Sum of the semi-axes (doubled units) up to which searches along a walk
// simply follow it from the beginning.
constexpr std::int64_t kDirectWalkLimit = 2048;

template <class Int>
class QuadrantWalk {
 public:
  QuadrantWalk(std::int64_t semiX, std::int64_t semiY)
      : a_(semiX), b_(semiY), aSquared_(static_cast<std::uint64_t>(semiX) * static_cast<std::uint64_t>(semiX)),
        bSquared_(static_cast<std::uint64_t>(semiY) * static_cast<std::uint64_t>(semiY)),
        eightASquared_(Products::Of(8, aSquared_)), eightBSquared_(Products::Of(8, bSquared_)) {
    MoveTo(Beginning());
  }

  std::int64_t SemiX() const { return a_; }
  std::int64_t SemiY() const { return b_; }
  WalkPoint Beginning() const { return {a_, b_ & 1}; }
  WalkPoint Point() const { return point_; }

  Int Residual(std::int64_t x, std::int64_t y) const {
    const auto ux = static_cast<std::uint64_t>(x < 0 ? -x : x);
    const auto uy = static_cast<std::uint64_t>(y < 0 ? -y : y);
    return Products::Of(ux, ux, bSquared_) + Products::Of(uy, uy, aSquared_) - Products::Of(aSquared_, bSquared_);
  }

  // Puts the walk on one of its own points.
  void MoveTo(WalkPoint point) {
    point_ = point;
    left_ = Residual(point.x - 2, point.y);
    up_ = Residual(point.x, point.y + 2);
    diagonal_ = Residual(point.x - 2, point.y + 2);
    // Change of F when x goes from x − 2 to x − 4, and when y goes from
    // y + 2 to y + 4.
    const std::int64_t xFactor = 4 * point.x - 12;
    leftStep_ = xFactor >= 0 ? -Products::Of(static_cast<std::uint64_t>(xFactor), bSquared_)
                             : Products::Of(static_cast<std::uint64_t>(-xFactor), bSquared_);
    upStep_ = Products::Of(static_cast<std::uint64_t>(4 * point.y + 12), aSquared_);
  }

  WalkMove NextMove() const { return Choose(point_, left_, up_, diagonal_); }

  void Step(WalkMove move) {
    switch (move) {
      case WalkMove::Up:
        point_.y += 2;
        left_ = diagonal_;
        up_ += upStep_;
        diagonal_ += upStep_;
        upStep_ += eightASquared_;
        break;
      case WalkMove::Left:
        point_.x -= 2;
        up_ = diagonal_;
        left_ += leftStep_;
        diagonal_ += leftStep_;
        leftStep_ += eightBSquared_;
        break;
      case WalkMove::Diagonal:
        point_.x -= 2;
        point_.y += 2;
        left_ = diagonal_ + leftStep_;
        up_ = diagonal_ + upStep_;
        diagonal_ = left_ + upStep_;
        leftStep_ += eightBSquared_;
        upStep_ += eightASquared_;
        break;
      case WalkMove::End:
        break;
    }
  }

  // The point after `count` moves of one kind (Left or Up) from here.
  static WalkPoint After(WalkPoint from, WalkMove move, std::int64_t count) {
    return move == WalkMove::Up ? WalkPoint{from.x, from.y + 2 * count} : WalkPoint{from.x - 2 * count, from.y};
  }

  // How many moves of this kind (Left or Up) the walk makes in a row from
  // here. Along such a run the residuals change one way only, so the choice
  // flips at most once and a binary search finds it.
  std::int64_t RunLength(WalkMove move) const {
    std::int64_t longest = move == WalkMove::Up ? (b_ - point_.y) / 2 : point_.x / 2;
    std::int64_t shortest = 0;  // moves known to be made
    while (shortest < longest) {
      const std::int64_t middle = shortest + (longest - shortest + 1) / 2;
      // The move leading from the point after middle − 1 moves.
      const WalkPoint from = After(point_, move, middle - 1);
      const WalkMove made = Choose(from, Residual(from.x - 2, from.y), Residual(from.x, from.y + 2),
                                   Residual(from.x - 2, from.y + 2));
      if (made == move) {
        shortest = middle;
      } else {
        longest = middle - 1;
      }
    }
    return shortest;
  }

 private:
  using Products = ResidualProducts<Int>;

  WalkMove Choose(WalkPoint at, const Int& left, const Int& up, const Int& diagonal) const {
    if (at.x <= 0) return WalkMove::End;
    WalkMove move;
    if (at.y + 2 > b_) {
      move = WalkMove::Left;
    } else if (diagonal < Int(0)) {
      move = up + diagonal < Int(0) ? WalkMove::Up : WalkMove::Diagonal;
    } else if (diagonal > Int(0)) {
      move = left + diagonal > Int(0) ? WalkMove::Left : WalkMove::Diagonal;
    } else {
      move = WalkMove::Diagonal;
    }
    if (move != WalkMove::Up && at.x - 2 < 0) return WalkMove::End;
    return move;
  }

  std::int64_t a_;
  std::int64_t b_;
  std::uint64_t aSquared_;
  std::uint64_t bSquared_;
  Int eightASquared_;
  Int eightBSquared_;
  WalkPoint point_{};
  Int left_{};
  Int up_{};
  Int diagonal_{};
  Int leftStep_{};
  Int upStep_{};
};

// What a search along the walk found: the first point where the condition
// holds and the point before it, or, when it never holds, the walk's last
// point and the one before that.
struct WalkSearch {
  bool found = false;
  WalkPoint point{};
  bool hasPrevious = false;
  WalkPoint previous{};
};

// Finds points of a walk without stepping through the parts before them.
// Where the curve is clearly steep (each row holds one point of the walk)
// that point is the one of its row with the smallest |F|; where it is clearly
// flat (each column holds one) likewise per column. Between the two, and at
// the stopping end of narrow ellipses, the walk itself is followed, runs of
// equal moves at a time.
template <class Int>
class WalkLocator {
 public:
  // Walks whose semi-axes add up to at most `directLimit` are searched by
  // following them from the beginning.
  explicit WalkLocator(const QuadrantWalk<Int>& walk, std::int64_t directLimit = kDirectWalkLimit)
      : walk_(walk), a_(walk.SemiX()), b_(walk.SemiY()),
        aSquared_(static_cast<std::uint64_t>(a_) * static_cast<std::uint64_t>(a_)),
        bSquared_(static_cast<std::uint64_t>(b_) * static_cast<std::uint64_t>(b_)),
        margin_(Products::Of(2, aSquared_) + Products::Of(2, bSquared_)) {
    // A small walk is quicker to follow step by step from its beginning than
    // to jump into.
    direct_ = a_ + b_ <= directLimit;
    if (direct_) return;
    steepRows_ = CountLeading(RowCount(), [&](std::int64_t k) {
      const std::int64_t y = RowAt(k);
      return Gradient({RowPoint(y), y}) >= margin_;
    });
    flatColumns_ = CountLeading(ColumnCount(), [&](std::int64_t k) {
      const std::int64_t x = ColumnAt(k);
      return Gradient({x, ColumnPoint(x)}) <= -margin_;
    });
  }

  // The first point of the walk where `holds` is true; `holds` must stay true
  // once it has become true along the walk. Leaves `cursor` on that point.
  template <class Condition>
  WalkSearch FindFirst(Condition holds, QuadrantWalk<Int>& cursor) const {
    WalkSearch search;
    cursor.MoveTo(ResumePoint(holds));
    if (holds(cursor.Point())) {
      search.found = true;
      search.point = cursor.Point();
      return search;
    }
    for (;;) {
      const WalkPoint here = cursor.Point();
      const WalkMove move = cursor.NextMove();
      if (move == WalkMove::End) {
        search.point = here;
        return search;
      }
      if (direct_ || move == WalkMove::Diagonal) {
        cursor.Step(move);
        search.hasPrevious = true;
        search.previous = here;
        if (holds(cursor.Point())) break;
        continue;
      }
      const std::int64_t run = cursor.RunLength(move);
      if (holds(QuadrantWalk<Int>::After(here, move, run))) {
        // First move count in 1 … run after which the condition holds.
        const std::int64_t count =
            1 + CountLeading(run, [&](std::int64_t k) { return !holds(QuadrantWalk<Int>::After(here, move, k + 1)); });
        search.hasPrevious = true;
        search.previous = QuadrantWalk<Int>::After(here, move, count - 1);
        cursor.MoveTo(QuadrantWalk<Int>::After(here, move, count));
        break;
      }
      search.hasPrevious = true;
      search.previous = QuadrantWalk<Int>::After(here, move, run - 1);
      cursor.MoveTo(QuadrantWalk<Int>::After(here, move, run));
    }
    search.found = true;
    search.point = cursor.Point();
    return search;
  }

  // The walk's last point (and the one before it).
  WalkSearch Last(QuadrantWalk<Int>& cursor) const {
    return FindFirst([](WalkPoint) { return false; }, cursor);
  }

 private:
  using Products = ResidualProducts<Int>;

  std::int64_t RowCount() const { return (b_ - (b_ & 1)) / 2 + 1; }
  std::int64_t RowAt(std::int64_t k) const { return (b_ & 1) + 2 * k; }
  std::int64_t ColumnCount() const { return (a_ - (a_ & 1)) / 2 + 1; }
  std::int64_t ColumnAt(std::int64_t k) const { return (a_ & 1) + 2 * k; }

  // Number of leading k in [0, count) for which `holds` is true, when it is
  // true for a prefix only.
  template <class Condition>
  static std::int64_t CountLeading(std::int64_t count, Condition holds) {
    std::int64_t low = 0, high = count;
    while (low < high) {
      const std::int64_t middle = low + (high - low) / 2;
      if (holds(middle)) {
        low = middle + 1;
      } else {
        high = middle;
      }
    }
    return low;
  }

  // B²·x − A²·y: positive where the curve is steeper than 45 degrees.
  Int Gradient(WalkPoint p) const {
    return Products::Of(bSquared_, static_cast<std::uint64_t>(p.x)) -
           Products::Of(aSquared_, static_cast<std::uint64_t>(p.y));
  }

  // The column of row y with the smallest |F|, the left one on a tie.
  std::int64_t RowPoint(std::int64_t y) const {
    const std::int64_t inside = CountLeading(ColumnCount(), [&](std::int64_t k) {
      return walk_.Residual(ColumnAt(k), y) <= Int(0);
    });
    if (inside == 0) return ColumnAt(0);
    const std::int64_t x = ColumnAt(inside - 1);
    if (x >= a_) return x;
    return walk_.Residual(x + 2, y) < -walk_.Residual(x, y) ? x + 2 : x;
  }

  // The row of column x with the smallest |F|, the upper one on a tie.
  std::int64_t ColumnPoint(std::int64_t x) const {
    const std::int64_t inside = CountLeading(RowCount(), [&](std::int64_t k) {
      return walk_.Residual(x, RowAt(k)) <= Int(0);
    });
    if (inside == 0) return RowAt(0);
    const std::int64_t y = RowAt(inside - 1);
    if (y >= b_) return y;
    return walk_.Residual(x, y + 2) <= -walk_.Residual(x, y) ? y + 2 : y;
  }

  // A point of the walk before the first one where `holds` is true (or the
  // beginning), as late as the steep and flat parts allow while leaving at
  // least one point to walk through, so that the point before the one found
  // is known too.
  template <class Condition>
  WalkPoint ResumePoint(Condition holds) const {
    WalkPoint resume = walk_.Beginning();
    const std::int64_t rowsBefore = CountLeading(steepRows_, [&](std::int64_t k) {
      const std::int64_t y = RowAt(k);
      return !holds(WalkPoint{RowPoint(y), y});
    });
    if (rowsBefore > 1) {
      const std::int64_t y = RowAt(rowsBefore - 2);
      resume = {RowPoint(y), y};
    }
    // Flat columns are walked from the largest x down; those before the
    // target are the larger ones.
    const std::int64_t columnsAfter = CountLeading(flatColumns_, [&](std::int64_t k) {
      const std::int64_t x = ColumnAt(k);
      return holds(WalkPoint{x, ColumnPoint(x)});
    });
    if (columnsAfter + 1 < flatColumns_) {
      const std::int64_t x = ColumnAt(columnsAfter + 1);
      const WalkPoint flat{x, ColumnPoint(x)};
      if (flat.Key() > resume.Key()) resume = flat;
    }
    return resume;
  }

  const QuadrantWalk<Int>& walk_;
  std::int64_t a_;
  std::int64_t b_;
  std::uint64_t aSquared_;
  std::uint64_t bSquared_;
  Int margin_;
  bool direct_ = false;
  std::int64_t steepRows_ = 0;
  std::int64_t flatColumns_ = 0;
};

}  // namespace karvex
