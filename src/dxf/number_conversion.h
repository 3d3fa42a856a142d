#pragma once
// The two value conversions every DXF reader applies: integers (group codes,
// colour numbers, flags) and reals (coordinates, heights, angles).
#include <cstdint>
#include <optional>
#include <string_view>

namespace karvex {

// Decimal with optional sign after leading blanks, or hexadecimal after "$",
// "x", "X" or "0x"/"0X" (no sign; up to FFFFFFFF, taken as a 32-bit pattern).
// Nothing may follow the digits. Empty when the text does not convert.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Decimal real with optional sign, at most one point, an optional exponent
// and blanks around it, computed in extended precision and correctly
// rounded. Empty when the text does not convert or overflows long double.
std::optional<long double> ParseReal(std::string_view text);

// Throwing forms used by the readers: a text that does not convert raises
// ConversionFailure.
std::int32_t ConvertInteger(std::string_view text);
long double ConvertReal(std::string_view text);

// Stores an extended value as a 32-bit float the way the x87 store does:
// rounded to nearest, underflow to a denormal or zero; a finite value too
// large for a float raises FloatingPointFailure, as does NaN.
float StoreAsFloat(long double value);

// ConvertReal followed by StoreAsFloat: the usual path of a coordinate.
float ConvertRealToFloat(std::string_view text);
// The same for a value inside a longer text, all of which may be read: the
// usual value forms are then read a vector register or a word at a time,
// reading past the value's ends. The result is the same.
float ConvertRealToFloat(std::string_view text, std::string_view readable);

}  // namespace karvex
