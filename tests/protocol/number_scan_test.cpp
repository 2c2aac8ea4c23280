#include "protocol/number_scan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace fivefold {
namespace {

struct ScanCase {
  const char* text;
  const char* format;
  int count;
  std::int32_t first;
  std::int32_t second;
};

TEST(NumberScan, ReadsLikeFormattedInput) {
  const ScanCase cases[] = {
      {"15 10", "%d %d", 2, 15, 10},
      {"15", "%d %d", 1, 15, 0},
      {"", "%d %d", 0, 0, 0},
      {"  -7\t+8", "%d %d", 2, -7, 8},
      {"15x", "%d %d", 1, 15, 0},
      {"20 , 15", "%d ,%d", 2, 20, 15},
      {"20,15", "%d ,%d", 2, 20, 15},
      {"20 ;15", "%d ,%d", 1, 20, 0},
      {"3, 4", "%d,%d", 2, 3, 4},
      {"3 ,4", "%d,%d", 1, 3, 0},
      {"- 3,4", "%d,%d", 0, 0, 0},
      {"+,4", "%d,%d", 0, 0, 0},
      {"2147483647,-2147483648", "%d,%d", 2, 2147483647, std::numeric_limits<std::int32_t>::min()},
      {"2147483648,1", "%d,%d", 0, 0, 0},
      {"1,-2147483649", "%d,%d", 1, 1, 0},
      {"99999999999999999999999,1", "%d,%d", 0, 0, 0},
  };
  for (const ScanCase& c : cases) {
    std::int32_t v[2] = {0, 0};
    EXPECT_EQ(c.count, scanIntegers(c.text, c.format, v, 2)) << c.text;
    if (c.count >= 1) {
      EXPECT_EQ(c.first, v[0]) << c.text;
    }
    if (c.count >= 2) {
      EXPECT_EQ(c.second, v[1]) << c.text;
    }
  }
}

TEST(NumberScan, NeverWritesMoreValuesThanAllowed) {
  std::int32_t v[2] = {-1, -1};
  EXPECT_EQ(1, scanIntegers("5,6,7", "%d,%d,%d", v, 1));
  EXPECT_EQ(5, v[0]);
  EXPECT_EQ(-1, v[1]);
}

TEST(NumberScan, AtoiClampsInsteadOfOverflowing) {
  EXPECT_EQ(5000, parseClampedInt("5000"));
  EXPECT_EQ(-12, parseClampedInt("  -12abc"));
  EXPECT_EQ(0, parseClampedInt("abc"));
  EXPECT_EQ(0, parseClampedInt(""));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::max(), parseClampedInt("2147483648"));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::max(), parseClampedInt("+99999999999999999999"));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), parseClampedInt("-2147483648"));
  EXPECT_EQ(std::numeric_limits<std::int32_t>::min(), parseClampedInt("-99999999999999999999"));
}

}  // namespace
}  // namespace fivefold
