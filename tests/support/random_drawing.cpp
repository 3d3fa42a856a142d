#include "support/random_drawing.h"

#include <cmath>
#include <cstdio>
#include <random>

#include "support/dxf_text.h"

namespace karvex::testing {
namespace {

class Maker {
 public:
  explicit Maker(unsigned seed) : random_(seed), scale_(std::pow(10.0, static_cast<int>(random_() % 7) - 2)) {}

  std::string Coordinate() { return Number((Unit() * 2 - 1) * 1000 * scale_); }
  std::string Length() { return Number(Unit() * 100 * scale_); }
  std::string Angle() { return Number(Unit() * 720 - 180); }
  unsigned Pick(unsigned count) { return random_() % count; }

  // One entity of a drawn kind (INSERT only where blocks are there).
  void Entity(DxfText& text, bool withInserts) {
    switch (Pick(withInserts ? 8 : 7)) {
      case 0: text.Add({{0, "LINE"}, {10, Coordinate()}, {20, Coordinate()}, {11, Coordinate()}, {21, Coordinate()}}); break;
      case 1: text.Add({{0, "CIRCLE"}, {10, Coordinate()}, {20, Coordinate()}, {40, Length()}}); break;
      case 2:
        text.Add({{0, "ARC"}, {10, Coordinate()}, {20, Coordinate()}, {40, Length()}, {50, Angle()}, {51, Angle()}});
        break;
      case 3: text.Add({{0, "POINT"}, {10, Coordinate()}, {20, Coordinate()}}); break;
      case 4:
        text.Add({{0, "TEXT"}, {10, Coordinate()}, {20, Coordinate()}, {40, Length()}, {50, Angle()},
                  {1, Pick(2) == 0 ? "Karvex" : "\x90\x7D\x96\xCA A-1"}});
        break;
      case 5: {
        text.Add({{0, "POLYLINE"}, {66, "1"}, {70, Pick(2) == 0 ? "1" : "0"}});
        const unsigned vertices = 2 + Pick(5);
        for (unsigned i = 0; i < vertices; ++i) text.Add({{0, "VERTEX"}, {10, Coordinate()}, {20, Coordinate()}});
        text.Add(0, "SEQEND");
        break;
      }
      case 6:
        text.Add({{0, "SOLID"}, {10, Coordinate()}, {20, Coordinate()}, {11, Coordinate()}, {21, Coordinate()},
                  {12, Coordinate()}, {22, Coordinate()}, {13, Coordinate()}, {23, Coordinate()}});
        break;
      default:
        text.Add({{0, "INSERT"}, {2, Pick(2) == 0 ? "A" : "B"}, {10, Coordinate()}, {20, Coordinate()}, {50, Angle()}});
        break;
    }
  }

 private:
  double Unit() { return std::uniform_real_distribution<double>(0, 1)(random_); }
  static std::string Number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
  }

  std::mt19937 random_;
  double scale_;
};

}  // namespace

std::string RandomDrawing(unsigned seed, int entities) {
  Maker make(seed);
  DxfText text;
  if (make.Pick(3) != 0) {
    text.Section("HEADER", {{9, "$EXTMIN"}, {10, make.Coordinate()}, {20, make.Coordinate()}, {9, "$EXTMAX"},
                            {10, make.Coordinate()}, {20, make.Coordinate()}});
  }
  text.Add({{0, "SECTION"}, {2, "BLOCKS"}});
  for (const char* name : {"A", "B"}) {
    text.Add({{0, "BLOCK"}, {8, "0"}, {2, name}, {10, make.Coordinate()}, {20, make.Coordinate()}});
    for (int i = 0; i < 6; ++i) make.Entity(text, false);
    text.Add(0, "ENDBLK");
  }
  text.Add({{0, "ENDSEC"}, {0, "SECTION"}, {2, "ENTITIES"}});
  for (int i = 0; i < entities; ++i) make.Entity(text, true);
  text.Add(0, "ENDSEC").Eof();
  return text.Text();
}

}  // namespace karvex::testing
