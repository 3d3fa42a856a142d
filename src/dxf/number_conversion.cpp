#include "dxf/number_conversion.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/failures.h"
#include "dxf/powers_of_ten.h"
#include "dxf/vector_real_parser.h"
#include "dxf/word_real_parser.h"

namespace karvex {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    int d = HexValue(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// The decimal text split into what the conversion needs.
struct DecimalParts {
  bool negative = false;
  std::string_view integerDigits;
  std::string_view fractionDigits;
  std::int64_t exponent = 0;  // the written exponent, saturated
};

std::optional<DecimalParts> SplitDecimal(std::string_view text) {
  DecimalParts parts;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    parts.negative = text[i] == '-';
    ++i;
  }
  std::size_t start = i;
  while (i < n && IsDigit(text[i])) ++i;
  parts.integerDigits = text.substr(start, i - start);
  if (i < n && text[i] == '.') {
    ++i;
    start = i;
    while (i < n && IsDigit(text[i])) ++i;
    parts.fractionDigits = text.substr(start, i - start);
  }
  if (parts.integerDigits.empty() && parts.fractionDigits.empty()) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    if (i >= n || !IsDigit(text[i])) return std::nullopt;
    constexpr std::int64_t kSaturation = 1'000'000'000;
    std::int64_t e = 0;
    while (i < n && IsDigit(text[i])) {
      if (e < kSaturation) e = e * 10 + (text[i] - '0');
      ++i;
    }
    parts.exponent = negativeExponent ? -e : e;
  }
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return std::nullopt;
  return parts;
}

// Slow path: the C library's correctly rounded conversion, given a text
// without a decimal point so that no locale can change its meaning.
std::optional<long double> ConvertWithLibrary(const DecimalParts& parts) {
  std::string canonical;
  canonical.reserve(parts.integerDigits.size() + parts.fractionDigits.size() + 24);
  if (parts.negative) canonical.push_back('-');
  canonical.append(parts.integerDigits);
  canonical.append(parts.fractionDigits);
  std::int64_t exponent = parts.exponent - static_cast<std::int64_t>(parts.fractionDigits.size());
  canonical.push_back('e');
  canonical.append(std::to_string(exponent));
  errno = 0;
  char* end = nullptr;
  long double value = std::strtold(canonical.c_str(), &end);
  if (end != canonical.c_str() + canonical.size()) return std::nullopt;
  if (errno == ERANGE && std::isinf(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  if (i == n) return std::nullopt;
  if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') return ParseHex(text.substr(i + 1));
  if (text[i] == '0' && i + 1 < n && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    return ParseHex(text.substr(i + 2));
  }
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  if (i == n) return std::nullopt;
  std::int64_t magnitude = 0;
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  for (; i < n; ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

namespace {

// One pass over the usual value texts: blanks, a sign, at most 19 significant
// digits around a point, a short exponent, blanks. Gives up (false) on
// anything else, which the complete path then reads.
bool ParseShortReal(std::string_view text, long double& value) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end && *p == ' ') ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  std::uint64_t significand = 0;
  int digits = 0;        // digits taken into the significand, leading zeros left out
  int scale = 0;         // power of ten the significand is to be multiplied by
  bool anyDigit = false;
  for (; p < end && IsDigit(*p); ++p) {
    anyDigit = true;
    if (significand == 0 && *p == '0') continue;
    if (++digits > 19) return false;
    significand = significand * 10 + static_cast<unsigned>(*p - '0');
  }
  if (p < end && *p == '.') {
    for (++p; p < end && IsDigit(*p); ++p) {
      anyDigit = true;
      --scale;
      if (significand == 0 && *p == '0') continue;
      if (++digits > 19) return false;
      significand = significand * 10 + static_cast<unsigned>(*p - '0');
    }
  }
  if (!anyDigit) return false;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    bool negativeExponent = false;
    if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
    if (p == end || !IsDigit(*p)) return false;
    int exponent = 0;
    for (; p < end && IsDigit(*p); ++p) {
      if (exponent > 1000) return false;
      exponent = exponent * 10 + (*p - '0');
    }
    scale += negativeExponent ? -exponent : exponent;
  }
  while (p < end && *p == ' ') ++p;
  if (p != end) return false;
  if (significand == 0) {
    value = negative ? -0.0L : 0.0L;
    return true;
  }
  if (scale < -kMaxExactPowerOfTen || scale > kMaxExactPowerOfTen) return false;
  long double result = static_cast<long double>(significand);
  if (scale >= 0) {
    result *= kExactPowersOfTen[static_cast<std::size_t>(scale)];
  } else {
    result /= kExactPowersOfTen[static_cast<std::size_t>(-scale)];
  }
  value = negative ? -result : result;
  return true;
}

}  // namespace

std::optional<long double> ParseReal(std::string_view text) {
  long double quick;
  if (ParseShortReal(text, quick)) return quick;
  // Long digit strings and big exponents: the C library's correctly
  // rounded conversion.
  std::optional<DecimalParts> parts = SplitDecimal(text);
  if (!parts) return std::nullopt;
  return ConvertWithLibrary(*parts);
}

std::int32_t ConvertInteger(std::string_view text) {
  std::optional<std::int32_t> value = ParseInteger(text);
  if (!value) throw ConversionFailure("not an integer: " + std::string(text.substr(0, 64)));
  return *value;
}

long double ConvertReal(std::string_view text) {
  std::optional<long double> value = ParseReal(text);
  if (!value) throw ConversionFailure("not a number: " + std::string(text.substr(0, 64)));
  return *value;
}

float StoreAsFloat(long double value) {
  if (value != value) throw FloatingPointFailure("invalid floating-point operation");
  const float stored = static_cast<float>(value);
  if (std::isinf(stored)) throw FloatingPointFailure("floating-point overflow");
  return stored;
}

float ConvertRealToFloat(std::string_view text) {
  long double value;
  if (!ParseShortReal(text, value)) value = ConvertReal(text);
  return StoreAsFloat(value);
}

float ConvertRealToFloat(std::string_view text, std::string_view readable) {
  ShortDecimal decimal;
  if (ReadVectorDecimal(text, readable.data(), decimal) ||
      ReadWordDecimal(text, readable.data() + readable.size(), decimal)) {
    return FloatValue(decimal);
  }
  return ConvertRealToFloat(text);
}

}  // namespace karvex
