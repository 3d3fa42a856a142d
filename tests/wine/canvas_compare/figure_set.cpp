#include "figure_set.h"

#include <cmath>
#include <cstdio>
#include <utility>

namespace karvex::testing {
namespace {

constexpr std::int64_t kInt32Min = INT32_MIN;
constexpr std::int64_t kInt32Max = INT32_MAX;

// A small generator of our own, so that the figures do not depend on how a
// standard library maps random bits to ranges.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

  std::uint64_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  // Uniform in [low, high].
  std::int64_t Between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(high - low + 1));
  }
  bool Chance(int percent) { return Between(0, 99) < percent; }
  double Angle() { return static_cast<double>(Next() % 1000000) / 1000000.0 * 2.0 * 3.14159265358979323846; }
  Color AnyInk() {
    // Any colour but white, which marks an untouched pixel.
    return static_cast<Color>(Between(0, 0xFFFFFE));
  }

 private:
  std::uint64_t state_;
};

std::int32_t Clamp32(std::int64_t value) {
  return static_cast<std::int32_t>(value < kInt32Min ? kInt32Min : value > kInt32Max ? kInt32Max : value);
}

Figure Line(FigureGroup group, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, Color color) {
  Figure figure{Figure::Kind::Line, group};
  figure.args[0] = Clamp32(x0);
  figure.args[1] = Clamp32(y0);
  figure.args[2] = Clamp32(x1);
  figure.args[3] = Clamp32(y1);
  figure.color = color;
  return figure;
}

// A box of this size around (cx, cy), its corners in one of the four orders
// (the drawers pass the bottom edge first).
void PlaceBox(Figure& figure, Dice& dice, std::int64_t cx, std::int64_t cy, std::int64_t width, std::int64_t height) {
  const std::int64_t left = cx - width / 2, top = cy - height / 2;
  std::int64_t x0 = left, x1 = left + width, y0 = top, y1 = top + height;
  if (dice.Chance(50)) std::swap(x0, x1);
  if (dice.Chance(50)) std::swap(y0, y1);
  figure.args[0] = Clamp32(x0);
  figure.args[1] = Clamp32(y0);
  figure.args[2] = Clamp32(x1);
  figure.args[3] = Clamp32(y1);
}

// A centre for a box of this half size whose outline passes near a random
// point of the picture: large boxes then still show part of their outline.
std::pair<std::int64_t, std::int64_t> CentreCrossingPicture(Dice& dice, std::int64_t halfWidth,
                                                            std::int64_t halfHeight) {
  const double angle = dice.Angle();
  const std::int64_t px = dice.Between(0, kPictureWidth - 1), py = dice.Between(0, kPictureHeight - 1);
  return {px - static_cast<std::int64_t>(std::llround(static_cast<double>(halfWidth) * std::cos(angle))),
          py + static_cast<std::int64_t>(std::llround(static_cast<double>(halfHeight) * std::sin(angle)))};
}

void AddLines(std::vector<Figure>& figures, Dice& dice) {
  // Every octant, lengths 0 to 1000, starting in and around the picture.
  for (int i = 0; i < 1100; ++i) {
    const std::int64_t major = dice.Chance(5) ? dice.Between(0, 2) : dice.Between(0, 1000);
    std::int64_t minor = dice.Between(0, major);
    if (dice.Chance(20)) minor = major / 2;
    std::int64_t dx = major, dy = minor;
    if (dice.Chance(50)) std::swap(dx, dy);
    if (dice.Chance(50)) dx = -dx;
    if (dice.Chance(50)) dy = -dy;
    const std::int64_t x0 = dice.Between(-60, kPictureWidth + 60), y0 = dice.Between(-60, kPictureHeight + 60);
    figures.push_back(Line(FigureGroup::Lines, x0, y0, x0 + dx, y0 + dy, dice.AnyInk()));
  }
  // Odd minor over even major: the exact coordinate passes through halves.
  for (int i = 0; i < 150; ++i) {
    const std::int64_t major = 2 * dice.Between(1, 300);
    std::int64_t dx = major, dy = 2 * dice.Between(0, major / 2 - 1) + 1;
    if (dice.Chance(50)) std::swap(dx, dy);
    if (dice.Chance(50)) dx = -dx;
    if (dice.Chance(50)) dy = -dy;
    const std::int64_t x0 = dice.Between(0, kPictureWidth), y0 = dice.Between(0, kPictureHeight);
    figures.push_back(Line(FigureGroup::Lines, x0, y0, x0 + dx, y0 + dy, dice.AnyInk()));
  }
  // Along the edges of the picture and just outside them.
  for (std::int64_t x : {std::int64_t{-1}, std::int64_t{0}, std::int64_t{kPictureWidth - 1}, std::int64_t{kPictureWidth}}) {
    figures.push_back(Line(FigureGroup::Lines, x, -5, x, kPictureHeight + 5, kBlack));
    figures.push_back(Line(FigureGroup::Lines, x, kPictureHeight + 5, x, -5, kBlack));
  }
  for (std::int64_t y : {std::int64_t{-1}, std::int64_t{0}, std::int64_t{kPictureHeight - 1}, std::int64_t{kPictureHeight}}) {
    figures.push_back(Line(FigureGroup::Lines, -5, y, kPictureWidth + 5, y, kBlack));
    figures.push_back(Line(FigureGroup::Lines, kPictureWidth + 5, y, -5, y, kBlack));
  }
  figures.push_back(Line(FigureGroup::Lines, -1, -1, kPictureWidth, kPictureHeight, kBlack));
  figures.push_back(Line(FigureGroup::Lines, kPictureWidth, -1, -1, kPictureHeight, kBlack));
  // Far outside and crossing the picture, the major axis below 2^29.
  for (int i = 0; i < 250; ++i) {
    const double angle = dice.Angle();
    const std::int64_t reach = std::int64_t{1} << dice.Between(10, 27);
    const std::int64_t px = dice.Between(0, kPictureWidth - 1), py = dice.Between(0, kPictureHeight - 1);
    const double back = static_cast<double>(dice.Between(1, reach)), ahead = static_cast<double>(dice.Between(1, reach));
    figures.push_back(Line(FigureGroup::Lines, px - std::llround(back * std::cos(angle)),
                           py - std::llround(back * std::sin(angle)), px + std::llround(ahead * std::cos(angle)),
                           py + std::llround(ahead * std::sin(angle)), dice.AnyInk()));
  }
  // Far outside and missing it.
  for (int i = 0; i < 80; ++i) {
    const std::int64_t far = std::int64_t{1} << 27;
    const std::int64_t x = dice.Chance(50) ? dice.Between(-far, -1) : dice.Between(kPictureWidth, far);
    figures.push_back(Line(FigureGroup::Lines, x, dice.Between(-far, far), x + dice.Between(-1000, 1000),
                           dice.Between(-far, far), dice.AnyInk()));
  }
  // Across the whole coordinate range.
  figures.push_back(Line(FigureGroup::OverlongLines, -2000000000, 5, 2000000000, 7, kBlack));
  figures.push_back(Line(FigureGroup::OverlongLines, 2000000000, 7, -2000000000, 5, kBlack));
  figures.push_back(Line(FigureGroup::OverlongLines, kInt32Min, kInt32Min, kInt32Max, kInt32Max, kBlack));
  figures.push_back(Line(FigureGroup::OverlongLines, 5, kInt32Min, 7, kInt32Max, kBlack));
  for (int i = 0; i < 40; ++i) {
    const double angle = dice.Angle();
    const double reach = static_cast<double>(dice.Between(std::int64_t{1} << 29, std::int64_t{1} << 31));
    const std::int64_t px = dice.Between(0, kPictureWidth - 1), py = dice.Between(0, kPictureHeight - 1);
    figures.push_back(Line(FigureGroup::OverlongLines, px - std::llround(reach * std::cos(angle)),
                           py - std::llround(reach * std::sin(angle)), px + std::llround(reach * std::cos(angle)),
                           py + std::llround(reach * std::sin(angle)), kBlack));
  }
}

void AddPoints(std::vector<Figure>& figures, Dice& dice) {
  auto point = [&](std::int64_t x, std::int64_t y) {
    Figure figure{Figure::Kind::Pixel, FigureGroup::Points};
    figure.args[0] = Clamp32(x);
    figure.args[1] = Clamp32(y);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  };
  for (int i = 0; i < 250; ++i) point(dice.Between(0, kPictureWidth - 1), dice.Between(0, kPictureHeight - 1));
  for (std::int64_t x : {std::int64_t{-1}, std::int64_t{0}, std::int64_t{kPictureWidth - 1}, std::int64_t{kPictureWidth}}) {
    for (std::int64_t y : {std::int64_t{-1}, std::int64_t{0}, std::int64_t{kPictureHeight - 1}, std::int64_t{kPictureHeight}}) {
      point(x, y);
    }
  }
  point(kInt32Min, kInt32Min);
  point(kInt32Max, 10);
}

void AddCircles(std::vector<Figure>& figures, Dice& dice) {
  for (int i = 0; i < 900; ++i) {
    Figure figure{Figure::Kind::Ellipse, FigureGroup::Circles};
    const std::int64_t radius = dice.Between(0, 300);
    const std::int64_t size = 2 * radius + (dice.Chance(50) ? 1 : 0);
    PlaceBox(figure, dice, dice.Between(-150, kPictureWidth + 150), dice.Between(-150, kPictureHeight + 150), size, size);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
  // Far larger than the picture, crossing it.
  for (int i = 0; i < 60; ++i) {
    Figure figure{Figure::Kind::Ellipse, FigureGroup::Circles};
    const std::int64_t radius = dice.Between(1000, 400000);
    const std::int64_t size = 2 * radius + (dice.Chance(50) ? 1 : 0);
    const auto [cx, cy] = CentreCrossingPicture(dice, size / 2, size / 2);
    PlaceBox(figure, dice, cx, cy, size, size);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
}

void AddEllipses(std::vector<Figure>& figures, Dice& dice) {
  for (int i = 0; i < 500; ++i) {
    Figure figure{Figure::Kind::Ellipse, FigureGroup::Ellipses};
    const std::int64_t width = dice.Chance(10) ? dice.Between(0, 3) : dice.Between(0, 600);
    const std::int64_t height = dice.Chance(10) ? dice.Between(0, 3) : dice.Between(0, 600);
    PlaceBox(figure, dice, dice.Between(-100, kPictureWidth + 100), dice.Between(-100, kPictureHeight + 100), width,
             height);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
  for (int i = 0; i < 30; ++i) {
    Figure figure{Figure::Kind::Ellipse, FigureGroup::Ellipses};
    const std::int64_t width = dice.Between(1000, 400000), height = dice.Between(3, 400000);
    const auto [cx, cy] = CentreCrossingPicture(dice, width / 2, height / 2);
    PlaceBox(figure, dice, cx, cy, width, height);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
}

// A point on the ray from the box centre at this angle: near (the centre
// itself now and then) or up to `farthest` away.
std::pair<std::int64_t, std::int64_t> RayPoint(Dice& dice, const Figure& figure, double angle, std::int64_t farthest) {
  const std::int64_t cx = (std::int64_t{figure.args[0]} + figure.args[2]) / 2;
  const std::int64_t cy = (std::int64_t{figure.args[1]} + figure.args[3]) / 2;
  const double distance = dice.Chance(50) ? static_cast<double>(dice.Between(0, 40))
                                          : static_cast<double>(dice.Between(41, farthest));
  return {cx + std::llround(distance * std::cos(angle)), cy - std::llround(distance * std::sin(angle))};
}

void AddArcRays(Figure& figure, Dice& dice, std::int64_t farthest = 1000000) {
  const double start = dice.Angle();
  double end = dice.Angle();
  if (dice.Chance(8)) end = start;  // the same ray
  if (dice.Chance(8)) end = static_cast<double>(dice.Between(0, 3)) * 3.14159265358979323846 / 2;  // an axis
  const auto [sx, sy] = RayPoint(dice, figure, start, farthest);
  auto [ex, ey] = RayPoint(dice, figure, end, farthest);
  if (dice.Chance(4)) ex = sx, ey = sy;  // the same point
  figure.args[4] = Clamp32(sx);
  figure.args[5] = Clamp32(sy);
  figure.args[6] = Clamp32(ex);
  figure.args[7] = Clamp32(ey);
}

void AddArcs(std::vector<Figure>& figures, Dice& dice) {
  for (int i = 0; i < 1200; ++i) {
    Figure figure{Figure::Kind::Arc, FigureGroup::Arcs};
    std::int64_t width, height;
    if (dice.Chance(70)) {
      const std::int64_t radius = dice.Between(0, 300);
      width = height = 2 * radius + (dice.Chance(50) ? 1 : 0);
    } else {
      width = dice.Between(3, 600);
      height = dice.Between(3, 600);
    }
    PlaceBox(figure, dice, dice.Between(-100, kPictureWidth + 100), dice.Between(-100, kPictureHeight + 100), width,
             height);
    AddArcRays(figure, dice);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
  // Larger than the picture; rays short enough for GDI's angle test.
  for (int i = 0; i < 40; ++i) {
    Figure figure{Figure::Kind::Arc, FigureGroup::Arcs};
    const std::int64_t size = 2 * dice.Between(1000, 400000) + (dice.Chance(50) ? 1 : 0);
    const auto [cx, cy] = CentreCrossingPicture(dice, size / 2, size / 2);
    PlaceBox(figure, dice, cx, cy, size, size);
    AddArcRays(figure, dice, 2000);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
  for (int i = 0; i < 60; ++i) {
    Figure figure{Figure::Kind::Arc, FigureGroup::ThinArcs};
    std::int64_t thin = dice.Between(1, 2), other = dice.Between(3, 200);
    if (dice.Chance(50)) std::swap(thin, other);
    PlaceBox(figure, dice, dice.Between(0, kPictureWidth), dice.Between(0, kPictureHeight), thin, other);
    AddArcRays(figure, dice);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
}

void AddHugeArcs(std::vector<Figure>& figures, Dice& dice) {
  for (int i = 0; i < 12; ++i) {
    Figure figure{Figure::Kind::Arc, FigureGroup::HugeArcs};
    const std::int64_t size = 2 * dice.Between(30000, 400000);
    const auto [cx, cy] = CentreCrossingPicture(dice, size / 2, size / 2);
    PlaceBox(figure, dice, cx, cy, size, size);
    AddArcRays(figure, dice, 2000000);
    figure.color = dice.AnyInk();
    figures.push_back(figure);
  }
}

}  // namespace

const char* GroupName(FigureGroup group) {
  switch (group) {
    case FigureGroup::Lines: return "lines";
    case FigureGroup::Points: return "points";
    case FigureGroup::Circles: return "circles";
    case FigureGroup::Ellipses: return "ellipses";
    case FigureGroup::Arcs: return "arcs";
    case FigureGroup::OverlongLines: return "overlong-lines";
    case FigureGroup::ThinArcs: return "thin-arcs";
    case FigureGroup::HugeArcs: return "huge-arcs";
  }
  return "?";
}

std::string Figure::Describe() const {
  char text[160];
  switch (kind) {
    case Kind::Line:
      std::snprintf(text, sizeof text, "line %d %d %d %d", args[0], args[1], args[2], args[3]);
      break;
    case Kind::Ellipse:
      std::snprintf(text, sizeof text, "ellipse %d %d %d %d", args[0], args[1], args[2], args[3]);
      break;
    case Kind::Arc:
      std::snprintf(text, sizeof text, "arc %d %d %d %d %d %d %d %d", args[0], args[1], args[2], args[3], args[4],
                    args[5], args[6], args[7]);
      break;
    case Kind::Pixel:
      std::snprintf(text, sizeof text, "pixel %d %d", args[0], args[1]);
      break;
  }
  return text;
}

void Figure::Draw(Canvas& canvas) const {
  canvas.SetPenColor(color);
  canvas.SetHollowBrush();
  switch (kind) {
    case Kind::Line:
      canvas.MoveTo(args[0], args[1]);
      canvas.LineTo(args[2], args[3]);
      break;
    case Kind::Ellipse:
      canvas.Ellipse(args[0], args[1], args[2], args[3]);
      break;
    case Kind::Arc:
      canvas.Arc(args[0], args[1], args[2], args[3], args[4], args[5], args[6], args[7]);
      break;
    case Kind::Pixel:
      canvas.SetPixel(args[0], args[1], color);
      break;
  }
}

std::vector<Figure> MakeFigureSet(std::uint32_t seed) {
  Dice dice(seed);
  std::vector<Figure> figures;
  AddLines(figures, dice);
  AddPoints(figures, dice);
  AddCircles(figures, dice);
  AddEllipses(figures, dice);
  AddArcs(figures, dice);
  AddHugeArcs(figures, dice);
  return figures;
}

}  // namespace karvex::testing
