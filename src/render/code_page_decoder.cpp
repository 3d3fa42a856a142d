#include "render/code_page_decoder.h"

#include <iconv.h>

#include <cerrno>

namespace karvex {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

char32_t BigEndian32(const unsigned char* bytes) {
  return static_cast<char32_t>(bytes[0]) << 24 | static_cast<char32_t>(bytes[1]) << 16 |
         static_cast<char32_t>(bytes[2]) << 8 | static_cast<char32_t>(bytes[3]);
}

}  // namespace

CodePageDecoder::CodePageDecoder(const std::string& iconvName)
    : converter_(iconv_open("UTF-32BE", iconvName.c_str())) {}

CodePageDecoder::~CodePageDecoder() {
  if (converter_ != kNoConverter) iconv_close(static_cast<iconv_t>(converter_));
}

bool CodePageDecoder::Usable() const { return converter_ != kNoConverter; }

void CodePageDecoder::Decode(std::string_view text, std::u32string& out) {
  out.clear();
  if (converter_ == kNoConverter) {
    out.assign(text.size(), kReplacement);
    return;
  }
  iconv_t converter = static_cast<iconv_t>(converter_);
  iconv(converter, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  unsigned char buffer[256];
  while (inLeft > 0) {
    char* outPtr = reinterpret_cast<char*>(buffer);
    std::size_t outLeft = sizeof buffer;
    const std::size_t converted = iconv(converter, &in, &inLeft, &outPtr, &outLeft);
    const int why = errno;
    const std::size_t produced = sizeof buffer - outLeft;
    for (std::size_t k = 0; k + 4 <= produced; k += 4) out.push_back(BigEndian32(buffer + k));
    if (converted != static_cast<std::size_t>(-1)) break;
    if (why == E2BIG) continue;
    // EILSEQ or EINVAL: no character starts here.
    out.push_back(kReplacement);
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
}

}  // namespace karvex
