#include "settings/setting_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace karvex {
namespace {

struct TextCase {
  const char* text;
  std::optional<std::int32_t> expected;
};

TEST(SettingText, AcceptsOnlyAWholeSignedDecimalWithin32Bits) {
  const TextCase cases[] = {
      {"640", 640},
      {"0", 0},
      {"-5", -5},
      {"+7", 7},
      {"0800", 800},  // leading zeros are still decimal
      {"-0", 0},
      {"2147483647", INT32_MAX},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"4294967296", std::nullopt},  // would wrap to 0 in 32 bits
      {"99999999999999999999", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+-1", std::nullopt},
      {"abc", std::nullopt},
      {"12abc", std::nullopt},
      {" 640", std::nullopt},
      {"640 ", std::nullopt},
      {"6 40", std::nullopt},
      {"$FF", std::nullopt},
      {"0x10", std::nullopt},
      {"1e3", std::nullopt},
      {"1.0", std::nullopt},
  };
  for (const TextCase& c : cases) {
    EXPECT_EQ(ParseSettingText(c.text), c.expected) << "text \"" << c.text << "\"";
  }
}

TEST(SettingText, WritesTheShortestDecimalThatReadsBack) {
  for (const std::int32_t value : {0, 640, -5, 16776960, INT32_MAX, INT32_MIN}) {
    const std::string text = SettingText(value);
    EXPECT_EQ(ParseSettingText(text), value) << text;
  }
  EXPECT_EQ(SettingText(16776960), "16776960");
  EXPECT_EQ(SettingText(-5), "-5");
  EXPECT_EQ(SettingText(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace karvex
