#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "render/cp932_decoder.h"

namespace karvex {
namespace {

struct DecodeCase {
  const char* what;
  std::string bytes;
  std::u32string characters;
};

constexpr char32_t kDot = Cp932Decoder::kDefaultCharacter;

// The platform's own conversion of each byte string (checked against
// MultiByteToWideChar for code page 932).
const DecodeCase kCases[] = {
    {"ASCII, backslash and tilde stay themselves", "A\\~z", U"A\\~z"},
    {"half-width katakana", "\xA1\xB1\xDF", U"\uFF61\uFF71\uFF9F"},
    {"JIS X 0208 kanji", "\x90\x7D\x96\xCA", U"図面"},
    {"the platform's own mappings, not plain Shift-JIS", "\x81\x5F\x81\x60\x81\x61\x81\x7C",
     U"\uFF3C\uFF5E\u2225\uFF0D"},
    {"NEC special characters", "\x87\x40\x87\x54", U"\u2460\u2160"},
    {"NEC-selected IBM extensions", "\xED\x40", U"\u7E8A"},
    {"IBM extensions", "\xFA\x40\xFC\x4B", U"\u2170\u9ED1"},
    {"user-defined area", "\xF0\x40\xF9\xFC", U"\uE000\uE757"},
    {"single bytes outside the table", std::string("\x80\xA0\xFD\xFE\xFF"), U"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"},
    {"a pair that names no character", "\x85\x40" "A", std::u32string{kDot, U'A'}},
    {"a lead byte takes any byte after it", "\x81\x20" "AB", std::u32string{kDot, U'A', U'B'}},
    {"a lead byte takes a zero byte too", std::string("\x81\x00" "A", 3), std::u32string{kDot, U'A'}},
    {"a lead byte at the end", "AB\x82", std::u32string{U'A', U'B', kDot}},
    {"nothing", "", U""},
};

TEST(Cp932Decoder, DecodesAsThePlatformWhateverTheLocale) {
  Cp932Decoder decoder;
  ASSERT_TRUE(decoder.ConvertsDoubleBytes());
  const std::string before = std::setlocale(LC_ALL, nullptr);
  for (const char* locale : {"C", "C.UTF-8"}) {
    if (std::setlocale(LC_ALL, locale) == nullptr) continue;
    for (const DecodeCase& c : kCases) {
      std::u32string decoded = U"left over";
      decoder.Decode(c.bytes, decoded);
      EXPECT_EQ(decoded, c.characters) << c.what << " (locale " << locale << ")";
    }
  }
  std::setlocale(LC_ALL, before.c_str());
}

}  // namespace
}  // namespace karvex
