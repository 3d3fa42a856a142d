#include "plugin/dxf_extension.h"

namespace karvex {

bool HasDxfExtension(std::string_view name, LeadBytePredicate isLeadByte) {
  std::size_t extensionStart = std::string_view::npos;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (isLeadByte != nullptr && isLeadByte(static_cast<unsigned char>(c)) && i + 1 < name.size()) {
      ++i;  // its trail byte is part of the same character
      continue;
    }
    if (c == '.') {
      extensionStart = i;
    } else if (c == '\\' || c == ':') {
      extensionStart = std::string_view::npos;
    }
  }
  if (extensionStart == std::string_view::npos) return false;
  std::string_view extension = name.substr(extensionStart);
  constexpr std::string_view kDxf = ".DXF";
  if (extension.size() != kDxf.size()) return false;
  for (std::size_t i = 0; i < kDxf.size(); ++i) {
    char c = extension[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != kDxf[i]) return false;
  }
  return true;
}

}  // namespace karvex
