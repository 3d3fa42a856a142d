#pragma once
// What a DXF text says about itself, gathered in one walk over its group
// pairs before it is drawn: version, code page, line ends, sections, blocks
// and entities by kind. The converter chooses its text decoding from it, and
// `info` and the diagnostics report it.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dxf/text_encoding.h"
#include "karvex/text_lines.h"

namespace karvex::tools {

struct SectionSpan {
  std::string name;
  std::int32_t start = 0;  // where its (0, "SECTION") pair starts
  std::int32_t end = -1;   // where its (0, "ENDSEC") pair ends; -1 when never closed
};

struct EntityCount {
  std::int64_t inEntities = 0;  // in ENTITIES sections
  std::int64_t inBlocks = 0;    // in block definitions
};

// The coordinates a HEADER gives one of its rectangle's variables: group 10
// (x) and group 20 (y), the smallest of a minimum's and the largest of a
// maximum's where the variable comes more than once.
struct HeaderPoint {
  std::optional<float> x;
  std::optional<float> y;
};

// $EXTMIN, $EXTMAX, $LIMMIN and $LIMMAX as the last HEADER gives them.
struct HeaderRectangle {
  HeaderPoint extMin;
  HeaderPoint extMax;
  HeaderPoint limMin;
  HeaderPoint limMax;
};

struct DrawingFacts {
  std::optional<std::string> acadVersion;  // $ACADVER
  std::optional<std::string> dwgCodePage;  // $DWGCODEPAGE
  HeaderTextFacts TextFacts() const { return {acadVersion, dwgCodePage}; }
  LineEndCounts lineEnds;
  std::vector<SectionSpan> sections;
  bool hasHeader = false;
  // A HEADER holds $EXTMIN, $EXTMAX, $LIMMIN or $LIMMAX.
  bool headerHasRectangle = false;
  HeaderRectangle headerRectangle;
  // One per block, in file order: the group-2 value of its header (the pairs
  // before its first group-0 pair); empty when the header has none.
  std::vector<std::string> blockNames;
  // Entities by kind; group-0 pairs that only close or continue something
  // (see IsBookkeepingPair) are not entities.
  std::map<std::string, EntityCount, std::less<>> entities;
  bool reachedEof = false;

  // The section that holds pos, if any.
  const SectionSpan* SectionAt(std::int32_t pos) const;
};

// Group-0 pairs that are not entities of their own: the ends of sections,
// blocks and sequences, the starts of sections and blocks, and the vertices
// that belong to a POLYLINE.
bool IsBookkeepingPair(std::string_view kind);

// Kinds counted apart never grow past this; the rest count as "(other)".
constexpr std::size_t kMostKinds = 64;
constexpr char kOtherKinds[] = "(other)";

// Walks the text's pairs to (0, "EOF") or to the first pair that cannot be
// read.
// How far ScanDrawing reads: the HEADER alone (all a picture needs to choose
// its text decoding and notes) or the whole text (sections, blocks, entity
// counts and line ends, for info and for saying where reading stopped).
enum class ScanDepth { HeaderOnly, Whole };

DrawingFacts ScanDrawing(std::string_view text, ScanDepth depth = ScanDepth::Whole);

}  // namespace karvex::tools
