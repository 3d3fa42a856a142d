#pragma once
// The values one entity of each drawn kind reads, with their defaults, and
// one reader per kind that turns the entity's pairs into its record. Every
// reader starts on the entity's own (0, keyword) pair and stops on the next
// group-0 pair, which it leaves current.
#include <array>
#include <cstdint>
#include <string_view>

#include "render/entity_input.h"

namespace karvex {

struct LineRecord {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct TextRecord {
  float x = 0, y = 0;
  float height = 5.0f;
  float rotation = 0;  // degrees
  std::string_view text;
};

struct CircleRecord {
  float x = 0, y = 0, radius = 0;
};

struct ArcRecord {
  float x = 0, y = 0, radius = 0;
  float startAngle = 0, endAngle = 0;  // degrees
};

struct PointRecord {
  float x = 0, y = 0;
};

struct SolidRecord {
  std::array<float, 4> x{};
  std::array<float, 4> y{};
};

struct InsertRecord {
  std::string_view blockName;
  bool hasBlockName = false;
  float x = 0, y = 0, angle = 0;
};

// Each reader is made for EntityInput and StyledEntityInput.
template <class In>
LineRecord ReadLine(In& in);
template <class In>
TextRecord ReadText(In& in);
template <class In>
CircleRecord ReadCircle(In& in);
template <class In>
ArcRecord ReadArc(In& in);
template <class In>
PointRecord ReadPoint(In& in);
// A group 62 sets the pen colour at once, as it is read (see
// EntityInput::TakeSolidColourNumber).
template <class In>
SolidRecord ReadSolid(In& in);
template <class In>
InsertRecord ReadInsert(In& in);

// The POLYLINE header (group 70 only); true when any group 70 was odd.
template <class In>
bool ReadPolylineClosedFlag(In& in);
// One vertex entity into (x, y), which keep their values where the vertex
// has no group 10 or 20.
template <class In>
void ReadVertex(In& in, float& x, float& y);

}  // namespace karvex
