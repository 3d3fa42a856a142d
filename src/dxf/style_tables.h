#pragma once
// What a drawing says about how its entities look, read only for pictures
// that follow line types or colours: every layer of the LAYER table with its
// colour and line type, every line type of the LTYPE table with its dash
// pattern, and the HEADER's $LTSCALE. Names are found without regard to
// letter case, as CAD programs find them.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dxf/group_pair_reader.h"

namespace karvex {

struct LayerStyle {
  // The colour number; negative when the layer is off (its magnitude is
  // still its colour).
  std::int32_t colourNumber = 7;
  std::int32_t trueColour = -1;  // group 420 (0x00RRGGBB); -1: none
  std::string lineType = "CONTINUOUS";
  bool frozen = false;  // group 70, bit 1
};

struct LineTypeStyle {
  // The pattern's lengths in drawing units: positive a dash, negative a gap,
  // 0 a dot; empty for a solid line.
  std::vector<float> pattern;
};

class StyleTables {
 public:
  // Forgets everything: a drawing without tables has none.
  void Clear();

  // Null when the drawing does not have it.
  const LayerStyle* Layer(std::string_view name) const;
  const LineTypeStyle* LineType(std::string_view name) const;
  // $LTSCALE; 1 when the HEADER does not give it.
  float LineTypeScale() const { return lineTypeScale_; }

  // --- For the readers ---
  LayerStyle& AddLayer(std::string_view name) { return layers_.Add(name); }
  LineTypeStyle& AddLineType(std::string_view name) { return lineTypes_.Add(name); }
  void SetLineTypeScale(float scale) { lineTypeScale_ = scale; }

 private:
  static std::string Folded(std::string_view name);

  // A map by folded name that remembers the name it was last asked for:
  // the entities of a drawing mostly come layer after layer.
  template <typename Style>
  class Names {
   public:
    Style& Add(std::string_view name) {
      last_ = nullptr;
      return styles_[Folded(name)];
    }
    const Style* Find(std::string_view name) const {
      if (last_ != nullptr && name == lastName_) return last_;
      folded_.assign(name);
      for (char& c : folded_) c = FoldedChar(c);
      const auto found = styles_.find(folded_);
      if (found == styles_.end()) return nullptr;
      last_ = &found->second;
      lastName_.assign(name);
      return last_;
    }
    void Clear() {
      styles_.clear();
      last_ = nullptr;
    }

   private:
    std::unordered_map<std::string, Style> styles_;
    mutable std::string folded_;
    mutable std::string lastName_;
    mutable const Style* last_ = nullptr;
  };

  static char FoldedChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

  Names<LayerStyle> layers_;
  Names<LineTypeStyle> lineTypes_;
  float lineTypeScale_ = 1.0f;
};

// The table routines for a TABLES section, each called on the table's (2,
// name) pair and returning at its ENDTAB (or (0, "Error")), false on a stop
// or a failure. A value that does not convert is passed over: a style must
// never cost the picture. A later entry of the same name replaces an
// earlier one.
bool ReadLayerTable(GroupPairReader& reader, StyleTables& styles);
bool ReadLineTypeList(GroupPairReader& reader, StyleTables& styles);

}  // namespace karvex
