#include "decision/opening_random.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace fivefold {
namespace {

std::vector<int> draw(int count) {
  std::vector<int> values;
  for (int i = 0; i < count; ++i) values.push_back(openingRandom());
  return values;
}

TEST(OpeningRandomTest, StartsWithTheNeverSeededSequence) {
  resetOpeningRandom();
  EXPECT_EQ(draw(5), (std::vector<int>{1804289383, 846930886, 1681692777, 1714636915, 1957747793}));
}

TEST(OpeningRandomTest, ResetRestartsTheSequence) {
  resetOpeningRandom();
  const std::vector<int> first = draw(40);
  const std::vector<int> more = draw(3);
  resetOpeningRandom();
  EXPECT_EQ(draw(40), first);
  EXPECT_EQ(draw(3), more);
}

#ifdef __GLIBC__
TEST(OpeningRandomTest, MatchesTheCLibraryGenerator) {
  resetOpeningRandom();
  std::srand(1);
  for (int i = 0; i < 100000; ++i) {
    ASSERT_EQ(openingRandom(), std::rand()) << "value " << i;
  }
}
#endif

}  // namespace
}  // namespace fivefold
