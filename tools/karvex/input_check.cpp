#include "karvex/input_check.h"

#include "dxf/number_conversion.h"
#include "karvex/text_lines.h"

namespace karvex::tools {

std::optional<std::string> WhyNotDxf(std::string_view text) {
  if (text.empty()) return "the file is empty";
  if (IsBinaryDxf(text)) {
    return "a binary DXF file; only text (ASCII) DXF can be drawn: save it as ASCII DXF";
  }
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    return "the file starts with a UTF-8 byte-order mark, which is not read as a group code: save it without one";
  }
  const std::string_view first = LineAt(text, 0);
  if (!ParseInteger(first)) {
    return "not a DXF file: line 1 " + QuotedLine(first) + " is not a group code (a DXF text starts with \"0\")";
  }
  return std::nullopt;
}

}  // namespace karvex::tools
