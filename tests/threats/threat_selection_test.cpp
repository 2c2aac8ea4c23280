#include "threats/threat_selection.h"

#include <gtest/gtest.h>

#include <vector>

#include "threat_board.h"

namespace fivefold {
namespace {

using SelectionTest = ThreatBoardTest;

ThreatRecord threeWithCosts(std::vector<Square> costs) {
  ThreatRecord r{};
  for (const Square square : costs) r.cost[r.costCount++] = square;
  return r;
}

std::vector<Square> common(const ThreatList& list, int n) {
  const CostSquares common = commonCostSquares(list, n);
  return {common.squares, common.squares + common.count};
}

TEST_F(SelectionTest, OneRecordHasNoCommonSquares) {
  const ThreatList list = {threeWithCosts({{4, 10}, {8, 10}})};
  EXPECT_EQ(common(list, 1), std::vector<Square>{});
  EXPECT_EQ(common(list, 2), std::vector<Square>{});  // n beyond the list
}

// The common squares of the opponent's two fours on the current board.
std::vector<Square> commonSquaresOfFours() {
  ThreatList fours;
  fours = findThreats(2, Four, Exact);
  EXPECT_EQ(fours.size(), 2u);
  return common(fours, 2);
}

TEST_F(SelectionTest, TwoFoursOfOneWindowShareTheirGainSquare) {
  put(3, 10, 2);  // "*oxxxxgo" and "X_xxxxgo" both from (3, 10)
  putRow(5, 8, 10, 2);
  EXPECT_EQ(commonSquaresOfFours(), (std::vector<Square>{{9, 10}}));
}

TEST_F(SelectionTest, FoursWithDifferentGainSquaresCannotAllBeStopped) {
  putRow(5, 8, 10, 2);
  EXPECT_EQ(commonSquaresOfFours(), std::vector<Square>{});
}

TEST_F(SelectionTest, CrossingThreesMeetOnOneSquare) {
  const ThreatList threes = {threeWithCosts({{4, 10}, {8, 10}}), threeWithCosts({{8, 14}, {8, 10}}),
                             threeWithCosts({{8, 10}, {4, 10}, {1, 1}})};
  EXPECT_EQ(common(threes, 2), (std::vector<Square>{{8, 10}}));
  // Only the first n records count, and the squares come in the first record's order; a
  // record without cost squares kills every candidate.
  EXPECT_EQ(common({threes[0], threes[2]}, 2), (std::vector<Square>{{4, 10}, {8, 10}}));
  EXPECT_EQ(common({threes[0], ThreatRecord{}}, 2), std::vector<Square>{});
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
