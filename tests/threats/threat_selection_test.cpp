#include "threats/threat_selection.h"

#include <gtest/gtest.h>

#include <vector>

#include "threat_board.h"

namespace fivefold {
namespace {

using SelectionTest = ThreatBoardTest;

ThreatRecord threeWithCosts(std::vector<std::pair<int, int>> costs) {
  ThreatRecord r{};
  for (const auto& [x, y] : costs) {
    r.costX[r.costCount] = x;
    r.costY[r.costCount] = y;
    r.costCount += 1;
  }
  return r;
}

TEST_F(SelectionTest, OneRecordHasNoCommonSquaresAndLeavesCountAlone) {
  const ThreatList list = {threeWithCosts({{4, 10}, {8, 10}})};
  std::int32_t xs[5] = {};
  std::int32_t ys[5] = {};
  std::int32_t count = 77;
  EXPECT_FALSE(commonCostSquares(list, 1, xs, ys, count));
  EXPECT_EQ(count, 77);
  EXPECT_FALSE(commonCostSquares(list, 2, xs, ys, count));  // n beyond the list
  EXPECT_EQ(count, 77);
}

// The common squares of the opponent's fours on the current board.
struct Common {
  bool found;
  std::int32_t count;
  std::vector<std::pair<int, int>> squares;
};
Common commonSquaresOfFours() {
  ThreatList fours;
  fours = findThreats(2, Four, Exact);
  EXPECT_EQ(fours.size(), 2u);
  std::int32_t xs[5] = {};
  std::int32_t ys[5] = {};
  std::int32_t count = -1;
  Common common{commonCostSquares(fours, 2, xs, ys, count), count, {}};
  for (int i = 0; i < count; ++i) common.squares.emplace_back(xs[i], ys[i]);
  return common;
}

TEST_F(SelectionTest, TwoFoursOfOneWindowShareTheirGainSquare) {
  put(3, 10, 2);  // "*oxxxxgo" and "X_xxxxgo" both from (3, 10)
  putRow(5, 8, 10, 2);
  const Common common = commonSquaresOfFours();
  EXPECT_TRUE(common.found);
  EXPECT_EQ(common.squares, (std::vector<std::pair<int, int>>{{9, 10}}));
}

TEST_F(SelectionTest, FoursWithDifferentGainSquaresCannotAllBeStopped) {
  putRow(5, 8, 10, 2);
  const Common common = commonSquaresOfFours();
  EXPECT_FALSE(common.found);
  EXPECT_EQ(common.count, 0);
}

TEST_F(SelectionTest, CrossingThreesMeetOnOneSquare) {
  const ThreatList threes = {threeWithCosts({{4, 10}, {8, 10}}), threeWithCosts({{8, 14}, {8, 10}}),
                             threeWithCosts({{8, 10}, {4, 10}, {1, 1}})};
  std::int32_t xs[5] = {};
  std::int32_t ys[5] = {};
  std::int32_t count = -1;
  ASSERT_TRUE(commonCostSquares(threes, 2, xs, ys, count));
  ASSERT_EQ(count, 1);
  EXPECT_EQ(xs[0], 8);
  EXPECT_EQ(ys[0], 10);
  // Only the first n records count; a record without cost squares kills every candidate.
  ASSERT_TRUE(commonCostSquares({threes[0], threes[2]}, 2, xs, ys, count));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(xs[0], 4);  // in the first record's order
  EXPECT_EQ(xs[1], 8);
  EXPECT_FALSE(commonCostSquares({threes[0], ThreatRecord{}}, 2, xs, ys, count));
  EXPECT_EQ(count, 0);
}

TEST_F(SelectionTest, CostSquaresAreAppendedInWindowOrder) {
  put(3, 10, 1);  // the "O" of "*Ocxxxgco" from (2, 10)
  putRow(5, 7, 10, 2);
  ThreatList threes;
  threes = findThreats(2, Three, Exact);
  ASSERT_EQ(threes.size(), 1u);
  std::vector<Square> squares = {{12, 13}};
  EXPECT_EQ(collectCostSquares(squares, threes, 1), 3);
  EXPECT_EQ(squares, (std::vector<Square>{{12, 13}, {4, 10}, {8, 10}, {9, 10}}));

  const ThreatList two = {threeWithCosts({{1, 2}}), threeWithCosts({{1, 2}, {3, 4}})};
  EXPECT_EQ(collectCostSquares(squares, two, 2), 3);  // duplicates are kept
  EXPECT_EQ(squares,
            (std::vector<Square>{{12, 13}, {4, 10}, {8, 10}, {9, 10}, {1, 2}, {1, 2}, {3, 4}}));
  EXPECT_EQ(collectCostSquares(squares, two, 0), 0);
}

}  // namespace
}  // namespace fivefold
