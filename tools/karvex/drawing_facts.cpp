#include "karvex/drawing_facts.h"

#include <cfloat>

#include "base/failures.h"
#include "dxf/group_pair_reader.h"
#include "dxf/number_conversion.h"

namespace karvex::tools {
namespace {

void Count(std::map<std::string, EntityCount, std::less<>>& counts, std::string_view kind, bool inBlock) {
  auto found = counts.find(kind);
  if (found == counts.end()) {
    const std::string_view key = counts.size() < kMostKinds ? kind : std::string_view(kOtherKinds);
    found = counts.try_emplace(std::string(key)).first;
  }
  ++(inBlock ? found->second.inBlocks : found->second.inEntities);
}

// The value of the pair after a header variable's name, when its group code
// is the one expected.
void ReadVariable(GroupPairReader& reader, std::int32_t code, std::optional<std::string>& into) {
  reader.ReadGroupPair();
  if (reader.GroupCode() == code) into = std::string(reader.GroupValue());
}

// Follows the coordinates after a rectangle variable's name as the HEADER
// reader takes them: groups 10 to 37 belong to the variable.
class HeaderPointReading {
 public:
  explicit HeaderPointReading(HeaderRectangle& rectangle) : rectangle_(rectangle) {}

  // A HEADER section begins: it sets the rectangle anew.
  void Restart() {
    rectangle_ = {};
    point_ = nullptr;
  }

  void Read(std::int32_t code, std::string_view value) {
    if (code == 9) {
      Start(value);
      return;
    }
    if (point_ == nullptr) return;
    if (code < 10 || code > 37) {
      point_ = nullptr;
      return;
    }
    if (code == 10) Take(point_->x, value);
    if (code == 20) Take(point_->y, value);
  }

 private:
  void Start(std::string_view name) {
    point_ = nullptr;
    if (name == "$EXTMIN") point_ = &rectangle_.extMin;
    if (name == "$EXTMAX") point_ = &rectangle_.extMax;
    if (name == "$LIMMIN") point_ = &rectangle_.limMin;
    if (name == "$LIMMAX") point_ = &rectangle_.limMax;
    minimum_ = point_ == &rectangle_.extMin || point_ == &rectangle_.limMin;
  }

  void Take(std::optional<float>& into, std::string_view value) {
    const std::optional<long double> real = ParseReal(value);
    if (!real || *real > FLT_MAX || *real < -FLT_MAX) return;
    const auto single = static_cast<float>(*real);
    if (!into || (minimum_ ? single < *into : single > *into)) into = single;
  }

  HeaderRectangle& rectangle_;
  HeaderPoint* point_ = nullptr;
  bool minimum_ = false;
};

}  // namespace

bool IsBookkeepingPair(std::string_view kind) {
  return kind == "SECTION" || kind == "ENDSEC" || kind == "BLOCK" || kind == "ENDBLK" || kind == "SEQEND" ||
         kind == "VERTEX" || kind == "EOF";
}

const SectionSpan* DrawingFacts::SectionAt(std::int32_t pos) const {
  for (const SectionSpan& span : sections) {
    if (pos >= span.start && (span.end < 0 || pos < span.end)) return &span;
  }
  return nullptr;
}

DrawingFacts ScanDrawing(std::string_view text, ScanDepth depth) {
  DrawingFacts facts;
  if (depth == ScanDepth::Whole) facts.lineEnds = CountLineEnds(text);
  GroupPairReader reader;
  reader.Begin(text);
  // The section being walked, by index (the list grows as sections come);
  // kNone between sections.
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t open = kNone;
  bool inBlock = false;
  HeaderPointReading headerPoints(facts.headerRectangle);
  // The block's own header: the pairs after its BLOCK up to the next group 0.
  bool inBlockHeader = false;
  try {
    for (;;) {
      const std::int32_t pairStart = reader.ReadPos();
      reader.ReadGroupPair();
      const std::int32_t code = reader.GroupCode();
      const std::string_view value = reader.GroupValue();
      if (code == 0 && value == "EOF") {
        facts.reachedEof = true;
        break;
      }
      if (code == 0 && value == "SECTION") {
        reader.ReadGroupPair();
        facts.sections.push_back(
            {reader.GroupCode() == 2 ? std::string(reader.GroupValue()) : std::string(), pairStart, -1});
        open = facts.sections.size() - 1;
        if (facts.sections.back().name == "HEADER") {
          facts.hasHeader = true;
          headerPoints.Restart();
        }
        continue;
      }
      if (code == 0 && value == "ENDSEC") {
        if (open != kNone) facts.sections[open].end = reader.ReadPos();
        if (depth == ScanDepth::HeaderOnly && open != kNone && facts.sections[open].name == "HEADER") break;
        open = kNone;
        inBlock = false;
        inBlockHeader = false;
        continue;
      }
      if (open == kNone) continue;
      const std::string& section = facts.sections[open].name;
      if (section == "HEADER") headerPoints.Read(code, value);
      if (section == "HEADER" && code == 9) {
        if (value == "$ACADVER") {
          ReadVariable(reader, 1, facts.acadVersion);
        } else if (value == "$DWGCODEPAGE") {
          ReadVariable(reader, 3, facts.dwgCodePage);
        } else if (value == "$EXTMIN" || value == "$EXTMAX" || value == "$LIMMIN" || value == "$LIMMAX") {
          facts.headerHasRectangle = true;
        }
      } else if (depth == ScanDepth::HeaderOnly) {
        continue;  // only a HEADER that comes later is looked for
      } else if (section == "BLOCKS") {
        if (code == 0) {
          inBlockHeader = value == "BLOCK";
          if (value == "BLOCK") {
            inBlock = true;
            facts.blockNames.emplace_back();
          } else if (value == "ENDBLK") {
            inBlock = false;
          } else if (inBlock && !IsBookkeepingPair(value)) {
            Count(facts.entities, value, true);
          }
        } else if (inBlockHeader && code == 2) {
          facts.blockNames.back() = value;  // the last, as the block index takes it
        }
      } else if (section == "ENTITIES" && code == 0 && !IsBookkeepingPair(value)) {
        Count(facts.entities, value, false);
      }
    }
  } catch (const Failure&) {
    // The walk ends where reading ends; what was gathered stands.
  }
  reader.End();
  return facts;
}

}  // namespace karvex::tools
