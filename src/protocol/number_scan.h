// Reading numbers from command text the way the C library's formatted input and atoi do,
// but without undefined behaviour: a number that does not fit a signed 32-bit integer is
// unreadable for the scanner and clamped for atoi.
#pragma once

#include <cstdint>

namespace fivefold {

// White space as the C library's isspace sees it in the "C" locale.
inline bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Scans text against a format made of "%d" conversions, white space (which skips any
// amount of white space, none included) and literal characters (which must match the
// next character exactly). Fills values in order and returns how many conversions
// succeeded, stopping at the first failure, as the C library does.
int scanIntegers(const char* text, const char* format, std::int32_t* values, int maxValues);

// atoi: leading white space, an optional sign, decimal digits; no digits gives 0.
// Values beyond the 32-bit range are clamped to it.
std::int32_t parseClampedInt(const char* text);

}  // namespace fivefold
