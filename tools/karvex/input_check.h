#pragma once
// Why a text cannot be a DXF drawing at all, said so that a person knows
// what to do: empty, binary DXF, a byte-order mark, or no group code where
// the first one belongs.
#include <optional>
#include <string>
#include <string_view>

namespace karvex::tools {

// The sentinel that opens a binary DXF file.
constexpr std::string_view kBinaryDxfSentinel = "AutoCAD Binary DXF";

inline bool IsBinaryDxf(std::string_view text) {
  return text.substr(0, kBinaryDxfSentinel.size()) == kBinaryDxfSentinel;
}

// Empty when the text starts like a DXF text (its first line is a group
// code); otherwise the cause.
std::optional<std::string> WhyNotDxf(std::string_view text);

}  // namespace karvex::tools
