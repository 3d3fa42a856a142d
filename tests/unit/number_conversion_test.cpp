#include "dxf/number_conversion.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "base/failures.h"
#include "dxf/vector_real_parser.h"
#include "dxf/word_real_parser.h"

namespace karvex {
namespace {

struct IntegerCase {
  const char* text;
  std::optional<std::int32_t> expected;
};

TEST(IntegerConversion, AcceptsOnlyWholeDecimalAndHexTexts) {
  const IntegerCase cases[] = {
      {"0", 0},
      {"  0", 0},  // group codes are right-aligned in three columns
      {" 10", 10},
      {"999", 999},
      {"+7", 7},
      {"-7", -7},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"10 ", std::nullopt},  // trailing blank
      {"1x", std::nullopt},
      {"1.0", std::nullopt},
      {"\t1", std::nullopt},  // only byte 32 counts as a blank
      {"$FF", 255},
      {"xff", 255},
      {"X10", 16},
      {"0x7fffffff", INT32_MAX},
      {"0XFFFFFFFF", -1},  // a 32-bit pattern
      {"$80000000", INT32_MIN},
      {"$100000000", std::nullopt},
      {"  $1A", 26},
      {"-$1", std::nullopt},  // no sign before a hex form
      {"0x", std::nullopt},
      {"$", std::nullopt},
      {"$G", std::nullopt},
      {"00x1", std::nullopt},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(ParseInteger(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

TEST(IntegerConversion, ThrowingFormRaisesConversionFailure) {
  EXPECT_EQ(ConvertInteger(" 62"), 62);
  EXPECT_THROW(ConvertInteger("abc"), ConversionFailure);
}

struct RealCase {
  const char* text;
  std::optional<long double> expected;
};

TEST(RealConversion, AcceptsDecimalTextsWithPointAndExponent) {
  const RealCase cases[] = {
      {"1.5", 1.5L},
      {"-2e3", -2000.0L},
      {"  7  ", 7.0L},  // blanks around
      {"+0.25", 0.25L},
      {".5", 0.5L},
      {"5.", 5.0L},
      {"1E+2", 100.0L},
      {"1e-2", 0.01L},
      {"0", 0.0L},
      {"-0.0", -0.0L},
      {"1,5", std::nullopt},  // the point is the only decimal separator
      {"", std::nullopt},
      {"   ", std::nullopt},
      {".", std::nullopt},
      {"-", std::nullopt},
      {"1e", std::nullopt},
      {"1e+", std::nullopt},
      {"e5", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1 2", std::nullopt},
      {"nan", std::nullopt},
      {"inf", std::nullopt},
      {"-Infinity", std::nullopt},
      {"0x10", std::nullopt},
      {"1e5000", std::nullopt},  // beyond extended range
      {"1e99999999999999999999", std::nullopt},
  };
  for (const RealCase& c : cases) {
    const std::optional<long double> got = ParseReal(c.text);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << "text \"" << c.text << "\"";
    if (got) {
      EXPECT_EQ(*got, *c.expected) << "text \"" << c.text << "\"";
      EXPECT_EQ(std::signbit(*got), std::signbit(*c.expected)) << "text \"" << c.text << "\"";
    }
  }
}

TEST(RealConversion, TinyValuesUnderflowInsteadOfFailing) {
  ASSERT_TRUE(ParseReal("1e-5000").has_value());
  EXPECT_EQ(*ParseReal("1e-5000"), 0.0L);
  EXPECT_EQ(StoreAsFloat(*ParseReal("1e-45")), std::strtof("1e-45", nullptr));  // a denormal float
}

TEST(RealConversion, LongDigitStringsAreExact) {
  const std::string digits400(400, '9');
  ASSERT_TRUE(ParseReal(digits400).has_value());
  EXPECT_EQ(*ParseReal(digits400), std::strtold(digits400.c_str(), nullptr));
  const std::string fraction = "0." + std::string(300, '0') + "1";
  EXPECT_EQ(*ParseReal(fraction), 1e-301L);
}

// Value texts are views into the drawing: the digits of the next line, or of
// the rest of a longer buffer, must not be read into the value.
TEST(RealConversion, ReadsNoFurtherThanItsText) {
  const std::string_view buffer = "12345678901234567890.5e3";
  EXPECT_EQ(*ParseReal(buffer.substr(0, 3)), 123.0L);
  EXPECT_EQ(*ParseReal(buffer.substr(0, 8)), 12345678.0L);
  EXPECT_EQ(*ParseReal(buffer.substr(0, 9)), 123456789.0L);
  EXPECT_EQ(*ParseReal(buffer.substr(2, 6)), 345678.0L);
  EXPECT_EQ(*ParseReal(buffer.substr(0, 21)), 12345678901234567890.0L);
  const std::string_view lines = "0.25\r\n 10\r\n";
  EXPECT_EQ(*ParseReal(lines.substr(0, 4)), 0.25L);
  EXPECT_EQ(ConvertRealToFloat(lines.substr(0, 3)), 0.2f);
}

TEST(FloatStore, OverflowAndNanAreFailures) {
  EXPECT_EQ(StoreAsFloat(1e38L), 1e38f);
  EXPECT_THROW(StoreAsFloat(1e39L), FloatingPointFailure);
  EXPECT_THROW(StoreAsFloat(-1e39L), FloatingPointFailure);
  EXPECT_THROW(StoreAsFloat(std::nanl("")), FloatingPointFailure);
  EXPECT_THROW(ConvertRealToFloat("1e39"), FloatingPointFailure);
  EXPECT_THROW(ConvertRealToFloat("abc"), ConversionFailure);
}

// Texts the way DXF writers and hand-edited files spell numbers: a few
// digits around a point, sometimes an exponent, sometimes very long.
std::string RandomRealText(std::mt19937_64& random) {
  std::uniform_int_distribution<int> digitCount(0, 24);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> choice(0, 9);
  std::string text;
  if (choice(random) < 3) text += choice(random) < 5 ? '-' : '+';
  const int integerDigits = digitCount(random);
  for (int i = 0; i < integerDigits; ++i) text += static_cast<char>('0' + digit(random));
  const bool point = choice(random) < 7;
  int fractionDigits = 0;
  if (point) {
    text += '.';
    fractionDigits = digitCount(random);
    for (int i = 0; i < fractionDigits; ++i) text += static_cast<char>('0' + digit(random));
  }
  if (integerDigits + fractionDigits == 0) text += '0';
  if (choice(random) < 3) {
    text += choice(random) < 5 ? 'e' : 'E';
    std::uniform_int_distribution<int> exponent(-340, 340);
    text += std::to_string(exponent(random));
  }
  return text;
}

TEST(RealConversion, AgreesBitForBitWithStrtoldOnRandomTexts) {
  std::setlocale(LC_NUMERIC, "C");
  std::mt19937_64 random(20261210);
  for (int i = 0; i < 200000; ++i) {
    const std::string text = RandomRealText(random);
    const std::optional<long double> ours = ParseReal(text);
    ASSERT_TRUE(ours.has_value()) << text;
    const long double library = std::strtold(text.c_str(), nullptr);
    ASSERT_EQ(std::memcmp(&*ours, &library, 10), 0) << text;
  }
}

// What a conversion gave: the float's bits, or which failure it raised.
// readable empty: the value is read alone.
std::string Outcome(std::string_view text, std::string_view readable) {
  try {
    const float value = readable.empty() ? ConvertRealToFloat(text) : ConvertRealToFloat(text, readable);
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    return std::to_string(bits);
  } catch (const ConversionFailure&) {
    return "conversion failure";
  } catch (const FloatingPointFailure&) {
    return "floating-point failure";
  }
}

// A value read in place, with the text around it readable: the same float
// or failure as when it is read alone, whatever lies before and after it
// (the neighbouring lines' digits, points and signs included) and however
// near the start or the end of the text it lies.
TEST(RealConversion, InPlaceReadingAgreesWithReadingAlone) {
  const char* const values[] = {
      "0.0131412260516921", "-1.454836157207853", "1000.1982022233", "7030.0",   "0",         "-0.0",
      "5.",                 ".5",                 "+.5",             "1234567.123456789012",    "12345678.5",
      "0.12345678901234567", "999.9999999999999999", "9999.9999999999999999",   "1e5",       " 1.5",
      "1.5 ",               "1.2.3",              "-",               ".",        "",          "+-1",
      "1,5",                "0.000000000000001", "4e38",           "0.9999999999999999",     "1234567",
      "123456789012345",    "1234567890123456",   "-123456789012345", ".123456789012345",      "1-5",
      "12.34.",             "9999999999999.99",   "00000000000000.5", "-.",        "+",         "1.5-",
  };
  const char* const neighbours[] = {"", "\r\n 20\r\n", "7\r\n 20\r\n0.0\r\n", "123456789012345678901234", "e5", ".5", "-"};
  for (const char* value : values) {
    for (const char* before : neighbours) {
      for (const char* after : neighbours) {
        const std::string text = std::string(before) + value + after;
        const std::unique_ptr<char[]> exact(new char[text.size() + 1]);
        std::memcpy(exact.get(), text.data(), text.size());
        const std::string_view readable(exact.get(), text.size());
        const std::string_view view = readable.substr(std::strlen(before), std::strlen(value));
        EXPECT_EQ(Outcome(view, readable), Outcome(view, {}))
            << "\"" << value << "\" after \"" << before << "\", before \"" << after << "\"";
      }
    }
  }
}

// The quick readings of a value inside a longer text, each against the
// complete conversion: where one gives a decimal, its extended value is
// bit for bit the one the complete conversion gives, whatever bytes
// (digits, line ends, points) lie around the value.
TEST(RealConversion, QuickReadingsAgreeBitForBitOnRandomTexts) {
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<int> neighbourByte(0, 12);
  const auto neighbours = [&](std::size_t count) {
    std::string bytes;
    for (std::size_t j = 0; j < count; ++j) {
      const int d = neighbourByte(random);
      bytes += d < 10 ? static_cast<char>('0' + d) : (d == 10 ? '\r' : (d == 11 ? '.' : '-'));
    }
    return bytes;
  };
  int wordTaken = 0;
  int vectorTaken = 0;
  for (int i = 0; i < 200000; ++i) {
    const std::string before = neighbours(random() % 24);
    const std::string value = RandomRealText(random);
    const std::string text = before + value + neighbours(24);
    const std::string_view view = std::string_view(text).substr(before.size(), value.size());
    const std::optional<long double> complete = ParseReal(view);
    const auto agrees = [&](const ShortDecimal& decimal) {
      const long double quick = ExtendedValue(decimal);
      return complete.has_value() && std::memcmp(&quick, &*complete, 10) == 0;
    };
    ShortDecimal decimal;
    if (ReadWordDecimal(view, text.data() + text.size(), decimal)) {
      ++wordTaken;
      ASSERT_TRUE(agrees(decimal)) << "word reading of " << value;
    }
    if (ReadVectorDecimal(view, text.data(), decimal)) {
      ++vectorTaken;
      ASSERT_TRUE(agrees(decimal)) << "vector reading of " << value << " after " << before;
    }
  }
  // The random texts do reach the quick readings.
  EXPECT_GT(wordTaken, 10000);
#if defined(__SSE2__)
  EXPECT_GT(vectorTaken, 10000);
#endif
}

// The float of a short decimal, however it is computed, is the one its
// extended value rounds to. The hard cases are decimals right next to a
// point halfway between two floats, nearer than a double can tell apart:
// 16 digits starting with 8 (a significand still below 2^53) come that
// near. Random decimals cover the rest.
TEST(RealConversion, FloatOfAShortDecimalIsTheRoundedExtendedValue) {
  std::mt19937_64 random(3);
  std::uniform_real_distribution<float> leading(8.0f, 9.0f);
  std::uniform_int_distribution<int> decade(-6, 6);
  std::uniform_int_distribution<std::uint64_t> significand(0, 999999999999999999ull);
  std::uniform_int_distribution<int> fractionCount(0, 16);
  char text[64];
  for (int i = 0; i < 300000; ++i) {
    ShortDecimal decimal;
    if (i % 2 == 0) {
      // 16 significant digits of a float halfway point, as "d.ddde-x".
      const float below = leading(random) * std::pow(10.0f, static_cast<float>(decade(random)));
      const long double halfway = (static_cast<long double>(below) + std::nextafter(below, 1e30f)) / 2;
      std::snprintf(text, sizeof text, "%.15Le", halfway);
      const long double written = std::strtold(text, nullptr);
      // Back to significand and fraction digits: d.ddddddddddddddd e-x.
      const int exponent = std::atoi(std::strchr(text, 'e') + 1);
      std::string digits(text, std::strchr(text, 'e'));
      digits.erase(1, 1);
      decimal.significand = std::stoull(digits);
      decimal.fractionCount = 15 - exponent;
      if (decimal.fractionCount > 16 || decimal.fractionCount < 0 || decimal.significand >= 1000000000000000000ull)
        continue;
      ASSERT_EQ(ExtendedValue(decimal), written) << text;
    } else {
      decimal.significand = significand(random) >> (random() % 40);
      decimal.fractionCount = fractionCount(random);
    }
    decimal.negative = random() % 2 == 0;
    const float expected = static_cast<float>(ExtendedValue(decimal));
    const float got = FloatValue(decimal);
    ASSERT_EQ(std::memcmp(&got, &expected, 4), 0)
        << decimal.significand << "e-" << decimal.fractionCount << " gives " << got << ", not " << expected;
  }
}

}  // namespace
}  // namespace karvex
