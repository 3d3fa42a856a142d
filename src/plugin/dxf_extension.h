#pragma once
#include <string_view>

namespace karvex {

// Tells whether a byte starts a double-byte character in the code page the
// name is written in. Natively names are UTF-8, whose continuation bytes
// never look like ".", "\" or ":", so no byte needs skipping.
using LeadBytePredicate = bool (*)(unsigned char byte);

// True when the name's extension (from its last "." to the end, unless a "\"
// or ":" follows that dot) upper-cases to ".DXF". The second byte of a
// double-byte character never counts as ".", "\" or ":".
bool HasDxfExtension(std::string_view name, LeadBytePredicate isLeadByte = nullptr);

}  // namespace karvex
