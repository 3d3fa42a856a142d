#include "dxf/tables_section.h"

#include <algorithm>

#include "dxf/number_conversion.h"

namespace karvex {

namespace {

// The line types into their 21 slots as every picture reads them, and then,
// read again from the table's start, every one of them into styles.
bool ReadLineTypes(GroupPairReader& reader, LineTypeTable& lineTypes, StyleTables* styles) {
  if (styles == nullptr) return ReadLineTypeTable(reader, lineTypes);
  const GroupPairReader::SavedState tableStart = reader.Save();
  ReadLineTypeTable(reader, lineTypes);
  reader.Restore(tableStart);
  return ReadLineTypeList(reader, *styles);
}

}  // namespace

bool ReadTablesSection(GroupPairReader& reader, LineTypeTable& lineTypes, StyleTables* styles) {
  try {
    for (;;) {
      bool handled = false;
      if (reader.Is(0, "TABLE")) {
        reader.ReadGroupPair();
        // Each test sees the pair the previous routine left current, so at
        // most one routine runs for a table; their results are not needed.
        if (reader.Is(2, "APPID")) SkipTable(reader);
        if (reader.Is(2, "DIMSTYLE")) SkipTable(reader);
        if (reader.Is(2, "LTYPE")) ReadLineTypes(reader, lineTypes, styles);
        if (reader.Is(2, "LAYER")) {
          if (styles != nullptr) {
            ReadLayerTable(reader, *styles);
          } else {
            SkipTable(reader);
          }
        }
        if (reader.Is(2, "STYLE")) SkipTable(reader);
        if (reader.Is(2, "UCS")) SkipTable(reader);
        if (reader.Is(2, "VPORT")) SkipTable(reader);
        handled = true;
      }
      if (reader.AbortRequested()) return false;
      if (!handled) reader.ReadGroupPair();
      if (reader.IsEnd("ENDSEC")) return true;
    }
  } catch (...) {
    return false;
  }
}

bool SkipTable(GroupPairReader& reader) {
  try {
    for (;;) {
      if (reader.AbortRequested()) return false;
      reader.ReadGroupPair();
      if (reader.IsEnd("ENDTAB")) return true;
    }
  } catch (...) {
    return false;
  }
}

bool ReadLineTypeTable(GroupPairReader& reader, LineTypeTable& lineTypes) {
  constexpr std::size_t kLastEntry = std::tuple_size_v<LineTypeTable> - 1;
  constexpr std::size_t kLastDash = TLineType::kDashSlots - 1;
  try {
    reader.ReadGroupPair();
    std::size_t entry = 0;
    for (;;) {
      bool entered = false;
      if (reader.Is(0, "LTYPE")) {
        reader.ReadGroupPair();
        std::size_t dash = 0;
        TLineType& lineType = lineTypes[entry];
        do {
          switch (reader.GroupCode()) {
            case 2:
              lineType.Name.assign(reader.GroupValue());
              break;
            case 49:
              lineType.DashLengths[dash] = reader.GroupValueAsFloat();
              dash = std::min(dash + 1, kLastDash);
              break;
            case 73:
              lineType.ElementCount = ConvertInteger(reader.GroupValue());
              break;
            default:
              break;
          }
          reader.ReadGroupPair();
        } while (reader.GroupCode() != 0);
        entered = true;
        entry = std::min(entry + 1, kLastEntry);
      }
      if (reader.AbortRequested()) return false;
      if (!entered) reader.ReadGroupPair();
      if (reader.IsEnd("ENDTAB")) return true;
    }
  } catch (...) {
    return false;
  }
}

}  // namespace karvex
