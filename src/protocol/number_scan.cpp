#include "protocol/number_scan.h"

#include <limits>

namespace fivefold {

namespace {

constexpr std::int64_t maxMagnitude = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// One "%d": skips white space, reads an optional sign and at least one digit. Returns
// false when no digit follows or the value does not fit 32 bits; consumes what it read.
bool scanOneInteger(const char*& p, std::int32_t& value) {
  while (isBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  if (!isDigit(*p)) return false;
  std::int64_t magnitude = 0;
  bool overflow = false;
  for (; isDigit(*p); ++p) {
    if (!overflow) {
      magnitude = magnitude * 10 + (*p - '0');
      if (magnitude > maxMagnitude) overflow = true;
    }
  }
  if (overflow || (!negative && magnitude == maxMagnitude)) return false;
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

}  // namespace

int scanIntegers(const char* text, const char* format, std::int32_t* values, int maxValues) {
  const char* p = text;
  int count = 0;
  for (const char* f = format; *f != '\0';) {
    if (f[0] == '%' && f[1] == 'd') {
      if (count >= maxValues || !scanOneInteger(p, values[count])) return count;
      ++count;
      f += 2;
    } else if (isBlank(*f)) {
      while (isBlank(*p)) ++p;
      ++f;
    } else {
      if (*p != *f) return count;
      ++p;
      ++f;
    }
  }
  return count;
}

std::int32_t parseClampedInt(const char* text) {
  const char* p = text;
  while (isBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  std::int64_t magnitude = 0;
  for (; isDigit(*p); ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > maxMagnitude) magnitude = maxMagnitude;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  if (magnitude >= maxMagnitude) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(magnitude);
}

}  // namespace fivefold
