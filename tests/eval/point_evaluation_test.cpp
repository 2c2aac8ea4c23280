#include "eval/point_evaluation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <random>

#include "board_setup.h"
#include "eval/area_gains.h"
#include "eval/board_evaluation.h"
#include "eval/line_windows.h"
#include "reference_gain.h"

namespace fivefold {
namespace {

using testing::freshBoard;
using testing::put;

struct Gains {
  std::int32_t plain;
  std::int32_t raised;
};

// Both gains with the player's stone on the square, the square emptied afterwards.
Gains gainsWithStone(int x, int y, int player) {
  put(x, y, player);
  const Gains gains{pointGain(x, y, player), pointGainRaised(x, y, player)};
  put(x, y, 0);
  return gains;
}

TEST(PointGain, DocumentedValuesOn15x15) {
  freshBoard(15, 15);
  EXPECT_EQ(gainsWithStone(7, 7, 1).plain, 76);
  EXPECT_EQ(gainsWithStone(7, 7, 1).raised, 76);
  EXPECT_EQ(gainsWithStone(0, 0, 1).plain, 3);
  EXPECT_EQ(gainsWithStone(0, 0, 1).raised, 3);

  for (int y = 3; y <= 6; ++y) put(7, y, 1);
  EXPECT_EQ(gainsWithStone(7, 7, 1).plain, 18999481);
  EXPECT_EQ(gainsWithStone(7, 7, 1).raised, 18999157);

  for (int colour = 1; colour <= 2; ++colour) {  // opponent four; then colours swapped
    freshBoard(15, 15);
    for (int y = 3; y <= 6; ++y) put(7, y, colour == 1 ? 2 : 1);
    EXPECT_EQ(gainsWithStone(7, 7, colour).plain, 346);
    EXPECT_EQ(gainsWithStone(7, 7, colour).raised, 670);
  }
}

TEST(PointGain, OneNeighbourGivesTheSameOnEitherSide) {
  for (int neighbourY : {8, 6}) {
    freshBoard(15, 15);
    put(7, neighbourY, 1);
    EXPECT_EQ(gainsWithStone(7, 7, 1).plain, 182);
    EXPECT_EQ(gainsWithStone(7, 7, 1).raised, 125);
  }
}

TEST(PointGain, EmptySquareGainsNothing) {
  freshBoard(15, 15);
  put(7, 6, 1);
  put(8, 8, 2);
  EXPECT_EQ(pointGain(7, 7, 1), 0);
  EXPECT_EQ(pointGain(7, 7, 2), 0);
}

TEST(PointGain, OffBoardSquaresAndWinningStonesCountForNothing) {
  // Four own stones left beyond the right edge of a 10-wide area: no window holds them.
  freshBoard(10, 15);
  for (int x = 10; x <= 13; ++x) put(x, 7, 1);
  const Gains edge = gainsWithStone(9, 7, 1);
  freshBoard(10, 15);
  EXPECT_EQ(gainsWithStone(9, 7, 1).plain, edge.plain);
  EXPECT_EQ(gainsWithStone(9, 7, 1).raised, edge.raised);

  // A winning-line stone as the border of a completed five blocks nothing; inside a window
  // it is an empty square.
  freshBoard(15, 15);
  for (int y = 3; y <= 6; ++y) put(7, y, 1);
  put(7, 8, 3);
  put(8, 8, 3);
  EXPECT_EQ(gainsWithStone(7, 7, 1).plain, 18999481);
  EXPECT_EQ(gainsWithStone(7, 7, 1).raised, 18999157);
}

// Under every rule of the game: exact five for both colours, five or more, caro, and renju
// (exact five for black, five or more for white) with either side black.
TEST(PointGain, MatchesBoardValueChangeWindowRulesAndAreaSweep) {
  std::mt19937 random(20240601);
  for (const testing::TestRule& rule : testing::testRules) {
    // Every size under exact five; a few under the others.
    const int sizes = rule.rule == GameRule::ExactFive ? std::size(testing::testSizes) : 3;
    for (int s = 0; s < sizes; ++s) {
      const auto& size = testing::testSizes[s];
      for (double density : {0.1, 0.35, 0.7}) {
        freshBoard(size[0], size[1]);
        setGameRule(rule.rule, rule.blackSide);
        SCOPED_TRACE(::testing::Message() << ruleName(rule.rule) << " black " << rule.blackSide);
        testing::scatterStones(random, density);
        // The kept gains of the move scorers, for every empty square at once.
        std::int32_t areaGains[3][2][boardCells];
        for (int player = 1; player <= 2; ++player) {
          const PlayerAreaGains& kept = keptAreaGains(player);
          std::copy(kept.plain, kept.plain + boardCells, areaGains[player][0]);
          std::copy(kept.raised, kept.raised + boardCells, areaGains[player][1]);
        }
        for (int x = 0; x < size[0]; ++x) {
          for (int y = 0; y < size[1]; ++y) {
            if (cellAt(x, y) != 0) continue;
            const std::int64_t without = boardValueFromScratch();
            for (int player = 1; player <= 2; ++player) {
              put(x, y, player);
              const std::int64_t with = boardValueFromScratch();
              const std::int64_t change = player == 1 ? with - without : without - with;
              ASSERT_EQ(pointGain(x, y, player), change) << x << "," << y << " p" << player;
              ASSERT_EQ(pointGain(x, y, player), testing::referenceGain(x, y, player, countWeights));
              ASSERT_EQ(pointGainRaised(x, y, player),
                        testing::referenceGain(x, y, player, raisedCountWeights));
              ASSERT_EQ(pointGain(x, y, player), areaGains[player][0][x * boardStride + y]);
              ASSERT_EQ(pointGainRaised(x, y, player), areaGains[player][1][x * boardStride + y]);
              put(x, y, 0);
            }
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
