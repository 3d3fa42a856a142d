// Cross-checks the integer and real conversions against the C library where
// the two must agree: every text our conversion accepts, strtol/strtold
// read the same way to the same value, and decimal integers that fit 32
// bits are accepted.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dxf/number_conversion.h"
#include "dxf/vector_real_parser.h"
#include "dxf/word_real_parser.h"

namespace {

bool OnlyDigitsAfterOptionalSign(const std::string& text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i == text.size()) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::setlocale(LC_NUMERIC, "C");
  // The quick readings of a value inside a longer text. Where one gives a
  // value, it is the one the complete conversion gives, and its float,
  // however computed, is the extended value's.
  const char* const begin = reinterpret_cast<const char*>(data);
  const auto check = [&](std::string_view value, const karvex::ShortDecimal& decimal) {
    const long double quick = karvex::ExtendedValue(decimal);
    const auto complete = karvex::ParseReal(value);
    if (!complete || std::memcmp(&quick, &*complete, 10) != 0) __builtin_trap();
    const float quickFloat = karvex::FloatValue(decimal);
    const float rounded = static_cast<float>(*complete);
    if (std::memcmp(&quickFloat, &rounded, 4) != 0) __builtin_trap();
  };
  // A word at a time: every prefix of the input as the value, the rest as
  // the text after it.
  for (std::size_t length = 0; length <= size && length <= 32; ++length) {
    const std::string_view value(begin, length);
    karvex::ShortDecimal decimal;
    if (karvex::ReadWordDecimal(value, begin + size, decimal)) check(value, decimal);
  }
  // A vector at a time: every suffix of the input's first 40 bytes as the
  // value, what comes before it as the text before it.
  const std::size_t vectorEnd = size < 40 ? size : 40;
  for (std::size_t start = 0; start <= vectorEnd; ++start) {
    const std::string_view value(begin + start, vectorEnd - start);
    karvex::ShortDecimal decimal;
    if (karvex::ReadVectorDecimal(value, begin, decimal)) check(value, decimal);
  }

  const std::string text(reinterpret_cast<const char*>(data), size);
  if (text.find('\0') != std::string::npos) return 0;

  if (const auto integer = karvex::ParseInteger(text)) {
    const std::size_t start = text.find_first_not_of(' ');
    const char* digits = text.c_str() + start;
    const bool hex = *digits == '$' || *digits == 'x' || *digits == 'X' ||
                     (digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'));
    if (!hex) {
      errno = 0;
      char* end = nullptr;
      const long long library = std::strtoll(digits, &end, 10);
      if (errno != 0 || *end != '\0' || library != *integer) __builtin_trap();
    }
  } else if (OnlyDigitsAfterOptionalSign(text)) {
    errno = 0;
    const long long library = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == 0 && library >= INT32_MIN && library <= INT32_MAX) __builtin_trap();
  }

  if (const auto real = karvex::ParseReal(text)) {
    errno = 0;
    char* end = nullptr;
    const long double library = std::strtold(text.c_str(), &end);
    while (*end == ' ') ++end;
    if (*end != '\0') __builtin_trap();
    if (std::memcmp(&library, &*real, 10) != 0) __builtin_trap();
    try {
      (void)karvex::StoreAsFloat(*real);
    } catch (...) {
    }
  }

  return 0;
}
