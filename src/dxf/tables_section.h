#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "dxf/group_pair_reader.h"
#include "dxf/style_tables.h"

namespace karvex {

// One line type of the LTYPE table. Filled and kept; nothing draws with it.
struct TLineType {
  static constexpr std::size_t kDashSlots = 11;
  std::string Name;
  std::int32_t ElementCount = 0;
  std::array<float, kDashSlots> DashLengths{};
};

// 21 slots; a picture overwrites the slots its LTYPE table reaches and leaves
// the others as earlier pictures left them.
using LineTypeTable = std::array<TLineType, 21>;

// Reads a TABLES section (the reader on its (2, "TABLES") pair): the LTYPE
// table into the line-type table, every other table passed over. With
// styles (a picture that follows line types or colours), the LAYER table
// and the whole LTYPE table are read into them too. False when the host
// asked to stop or a failure occurred.
bool ReadTablesSection(GroupPairReader& reader, LineTypeTable& lineTypes, StyleTables* styles = nullptr);

// The table routines, each called on the table's (2, name) pair; true at the
// table's ENDTAB (or the (0, "Error") pair), false on a stop or a failure.
bool SkipTable(GroupPairReader& reader);
bool ReadLineTypeTable(GroupPairReader& reader, LineTypeTable& lineTypes);

}  // namespace karvex
