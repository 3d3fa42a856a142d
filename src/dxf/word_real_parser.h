#pragma once
// The commonest value texts, a sign, a few integer digits, a point and up
// to sixteen fraction digits ("-1.454836157207853", "1000.1982022233"),
// read eight bytes at a time with no loop over the digits. It reads ahead of the value's end, so the
// caller says how far the surrounding text may be read.
#include <string_view>

namespace karvex {

// The value of text when it has exactly that form: an optional sign, up to
// 7 integer digits, a point and up to 16 fraction digits, 19 digits at most
// (either part may be empty, not both, and the point may be left out with
// the fraction), and nothing else. Bytes from text's start up to readableEnd may be read.
// Gives false for anything else, which the byte-wise reading then takes;
// the result is correctly rounded, exactly what it would give.
bool ParseWordReal(std::string_view text, const char* readableEnd, long double& value);

}  // namespace karvex
