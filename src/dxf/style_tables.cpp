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

// The entries of a table, each held until it ends and then stored under
// its group-2 name by add(name); an entry without one is not kept. take
// (code, entry) gets every other pair of the entry.
template <typename Style, typename Add, typename Take>
bool ReadNamedEntries(GroupPairReader& reader, std::string_view entryKind, Add add, Take take) {
  Style entry;
  std::optional<std::string> name;
  auto finish = [&] {
    if (name) add(*name) = entry;
  };
  const bool done = ReadEntries(
      reader, entryKind,
      [&] {
        finish();
        entry = Style{};
        name.reset();
      },
      [&](std::int32_t code) {
        if (code == 2) {
          name.emplace(reader.GroupValue());
        } else {
          take(code, entry);
        }
      });
  finish();
  return done;
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
  return ReadNamedEntries<LayerStyle>(
      reader, "LAYER", [&](std::string_view name) -> LayerStyle& { return styles.AddLayer(name); },
      [&](std::int32_t code, LayerStyle& entry) {
        const std::string_view value = reader.GroupValue();
        switch (code) {
          case 6: entry.lineType.assign(value); break;
          case 62:
            if (const std::optional<std::int32_t> number = ParseInteger(value)) entry.colourNumber = *number;
            break;
          case 420:
            if (const std::optional<std::int32_t> rgb = ParseInteger(value)) entry.trueColour = *rgb & 0xFFFFFF;
            break;
          case 70:
            if (const std::optional<std::int32_t> flags = ParseInteger(value)) entry.frozen = (*flags & 1) != 0;
            break;
          default: break;
        }
      });
}

bool ReadLineTypeList(GroupPairReader& reader, StyleTables& styles) {
  return ReadNamedEntries<LineTypeStyle>(
      reader, "LTYPE", [&](std::string_view name) -> LineTypeStyle& { return styles.AddLineType(name); },
      [&](std::int32_t code, LineTypeStyle& entry) {
        if (code != 49) return;
        if (const std::optional<long double> length = ParseReal(reader.GroupValue())) {
          try {
            entry.pattern.push_back(StoreAsFloat(*length));
          } catch (...) {
            // Too large for a float: the element is left out.
          }
        }
      });
}

}  // namespace karvex
