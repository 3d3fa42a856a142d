#include "support/dxf_text.h"

#include <cstdio>

namespace karvex::testing {

DxfText& DxfText::Add(std::int32_t code, std::string_view value) {
  char codeText[16];
  std::snprintf(codeText, sizeof codeText, "%3d", code);
  text_ += codeText;
  text_ += lineEnd_;
  text_ += value;
  text_ += lineEnd_;
  return *this;
}

DxfText& DxfText::Add(std::initializer_list<Pair> pairs) {
  for (const Pair& pair : pairs) Add(pair.code, pair.value);
  return *this;
}

DxfText& DxfText::Section(std::string_view name, std::initializer_list<Pair> pairs) {
  Add(0, "SECTION");
  Add(2, name);
  Add(pairs);
  return Add(0, "ENDSEC");
}

DxfText& DxfText::Raw(std::string_view text) {
  text_ += text;
  return *this;
}

std::string Repeated(std::string_view piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

std::string EntitiesOnly(std::initializer_list<Pair> pairs) {
  return DxfText().Section("ENTITIES", pairs).Eof().Text();
}

}  // namespace karvex::testing
