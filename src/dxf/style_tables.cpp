#include "dxf/style_tables.h"

#include <optional>

#include "dxf/number_conversion.h"

namespace karvex {
namespace {

// Reads a table's entries of kind entryKind, handing each pair of an entry
// to take(code) (the entry's own group-0 pair first); entries are started
// by begin(), which gets no name yet: the name comes with group 2.
template <typename Begin, typename Take>
bool ReadEntries(GroupPairReader& reader, std::string_view entryKind, Begin begin, Take take) {
  try {
    reader.ReadGroupPair();
    for (;;) {
      bool entered = false;
      if (reader.Is(0, entryKind)) {
        begin();
        reader.ReadGroupPair();
        while (reader.GroupCode() != 0) {
          take(reader.GroupCode());
          reader.ReadGroupPair();
        }
        entered = true;
      }
      if (reader.AbortRequested()) return false;
      if (!entered) reader.ReadGroupPair();
      if (reader.IsEnd("ENDTAB")) return true;
    }
  } catch (...) {
    return false;
  }
}

}  // namespace

void StyleTables::Clear() {
  layers_.Clear();
  lineTypes_.Clear();
  lineTypeScale_ = 1.0f;
}

std::string StyleTables::Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = FoldedChar(c);
  return folded;
}

const LayerStyle* StyleTables::Layer(std::string_view name) const { return layers_.Find(name); }

const LineTypeStyle* StyleTables::LineType(std::string_view name) const { return lineTypes_.Find(name); }

bool ReadLayerTable(GroupPairReader& reader, StyleTables& styles) {
  // An entry's values are held until its name is known.
  LayerStyle entry;
  std::optional<std::string> name;
  auto finish = [&] {
    if (name) styles.AddLayer(*name) = entry;
  };
  const bool done = ReadEntries(
      reader, "LAYER",
      [&] {
        finish();
        entry = LayerStyle{};
        name.reset();
      },
      [&](std::int32_t code) {
        const std::string_view value = reader.GroupValue();
        switch (code) {
          case 2: name.emplace(value); break;
          case 6: entry.lineType.assign(value); break;
          case 62:
            if (const std::optional<std::int32_t> number = ParseInteger(value)) entry.colourNumber = *number;
            break;
          case 420:
            if (const std::optional<std::int32_t> rgb = ParseInteger(value)) entry.trueColour = *rgb & 0xFFFFFF;
            break;
          default: break;
        }
      });
  finish();
  return done;
}

bool ReadLineTypeList(GroupPairReader& reader, StyleTables& styles) {
  LineTypeStyle entry;
  std::optional<std::string> name;
  auto finish = [&] {
    if (name) styles.AddLineType(*name) = entry;
  };
  const bool done = ReadEntries(
      reader, "LTYPE",
      [&] {
        finish();
        entry = LineTypeStyle{};
        name.reset();
      },
      [&](std::int32_t code) {
        if (code == 2) name.emplace(reader.GroupValue());
        if (code != 49) return;
        if (const std::optional<long double> length = ParseReal(reader.GroupValue())) {
          try {
            entry.pattern.push_back(StoreAsFloat(*length));
          } catch (...) {
            // Too large for a float: the element is left out.
          }
        }
      });
  finish();
  return done;
}

}  // namespace karvex
