#include "render/utf8_decoder.h"

namespace karvex {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the sequence a lead byte starts and the bits it carries;
// 0 for a byte that starts none.
struct Lead {
  std::size_t length;
  char32_t bits;
};

Lead LeadOf(unsigned char byte) {
  if (byte < 0x80) return {1, byte};
  if (byte >= 0xC2 && byte <= 0xDF) return {2, static_cast<char32_t>(byte & 0x1F)};
  if (byte >= 0xE0 && byte <= 0xEF) return {3, static_cast<char32_t>(byte & 0x0F)};
  if (byte >= 0xF0 && byte <= 0xF4) return {4, static_cast<char32_t>(byte & 0x07)};
  return {0, 0};
}

// The smallest character each length may carry: anything below is overlong.
constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};

}  // namespace

void Utf8Decoder::Decode(std::string_view text, std::u32string& out) {
  out.clear();
  std::size_t i = 0;
  while (i < text.size()) {
    const Lead lead = LeadOf(static_cast<unsigned char>(text[i]));
    if (lead.length == 0 || i + lead.length > text.size()) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    char32_t character = lead.bits;
    bool wellFormed = true;
    for (std::size_t k = 1; k < lead.length; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + k]);
      if (!IsContinuation(byte)) {
        wellFormed = false;
        break;
      }
      character = (character << 6) | (byte & 0x3F);
    }
    if (wellFormed &&
        (character < kSmallest[lead.length] || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))) {
      wellFormed = false;
    }
    if (!wellFormed) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(character);
    i += lead.length;
  }
}

}  // namespace karvex
