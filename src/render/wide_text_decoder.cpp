#include "render/wide_text_decoder.h"

#include <climits>

namespace karvex {

void WideTextDecoder::Decode(std::string_view text, std::u32string& out) {
  out.clear();
  if (text.empty() || text.size() > INT_MAX) return;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage_, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return;
  wide_.resize(static_cast<std::size_t>(length));
  MultiByteToWideChar(codePage_, 0, text.data(), size, wide_.data(), length);
  out.reserve(wide_.size());
  for (std::size_t i = 0; i < wide_.size(); ++i) {
    const char32_t unit = wide_[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide_.size() && wide_[i + 1] >= 0xDC00 && wide_[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(wide_[i + 1]) - 0xDC00));
      ++i;
    } else {
      out.push_back(unit);
    }
  }
}

void AppendUtf16(const std::u32string& characters, std::wstring& out) {
  for (const char32_t c : characters) {
    if (c >= 0x10000 && c <= 0x10FFFF) {
      out.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(c <= 0xFFFF ? c : 0xFFFD));
    }
  }
}

}  // namespace karvex
