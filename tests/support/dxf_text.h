#pragma once
// Builds small DXF texts for tests, pair by pair.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace karvex::testing {

struct Pair {
  std::int32_t code;
  std::string value;
};

// Group codes right-aligned in three columns, as DXF writers put them; every
// line ends in CR LF unless lineEnd says otherwise.
class DxfText {
 public:
  explicit DxfText(std::string lineEnd = "\r\n") : lineEnd_(std::move(lineEnd)) {}

  DxfText& Add(std::int32_t code, std::string_view value);
  DxfText& Add(std::initializer_list<Pair> pairs);
  // A whole section: (0, SECTION), (2, name), the pairs, (0, ENDSEC).
  DxfText& Section(std::string_view name, std::initializer_list<Pair> pairs);
  // Raw text, as written.
  DxfText& Raw(std::string_view text);
  DxfText& Eof() { return Add(0, "EOF"); }

  const std::string& Text() const { return text_; }

 private:
  std::string lineEnd_;
  std::string text_;
};

// piece written times over, for texts of hostile sizes.
std::string Repeated(std::string_view piece, std::size_t times);

// The usual frame: an ENTITIES section holding pairs, then EOF.
std::string EntitiesOnly(std::initializer_list<Pair> pairs);

}  // namespace karvex::testing
