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

TEST(PointGain, MatchesBoardValueChangeWindowRulesAndAreaSweep) {
  std::mt19937 random(20240601);
  for (const auto& size : testing::testSizes) {
    for (double density : {0.1, 0.35, 0.7}) {
      freshBoard(size[0], size[1]);
      testing::scatterStones(random, density);
      // The whole-area sweep of the move scorers, for every empty square at once.
      bool wanted[boardCells] = {};
      for (int x = 0; x < size[0]; ++x) {
        for (int y = 0; y < size[1]; ++y) wanted[x * boardStride + y] = cellAt(x, y) == 0;
      }
      std::int32_t areaGains[3][2][boardCells];
      for (int player = 1; player <= 2; ++player) {
        const AreaBox box{0, size[0], 0, size[1]};
        gainsOverArea(box, player, wanted, areaGains[player][0], areaGains[player][1]);
      }
      for (int x = 0; x < size[0]; ++x) {
        for (int y = 0; y < size[1]; ++y) {
          if (cellAt(x, y) != 0) continue;
          const std::int64_t without = boardValueFromScratch();
          for (int player = 1; player <= 2; ++player) {
            ASSERT_EQ(trialGain(x, y, player), areaGains[player][0][x * boardStride + y]);
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

TEST(AreaGains, AnyBoxGivesThePointGainsOfItsWantedSquaresAndWritesNothingElse) {
  // Boxes of every shape and place: the sweep reads only the part of each line near the
  // box, so a box edge must not cut off a window that reaches into it.
  std::mt19937 random(77);
  constexpr std::int32_t untouched = 123456789;
  for (const auto& size : testing::testSizes) {
    std::uniform_int_distribution<int> pickX(0, size[0] - 1), pickY(0, size[1] - 1);
    for (int round = 0; round < 12; ++round) {
      freshBoard(size[0], size[1]);
      testing::scatterStones(random, round % 3 == 0 ? 0.6 : 0.25);
      const int x1 = pickX(random), x2 = pickX(random), y1 = pickY(random), y2 = pickY(random);
      const AreaBox box{std::min(x1, x2), std::max(x1, x2) + 1, std::min(y1, y2),
                        std::max(y1, y2) + 1};
      // Wanted flags beyond the box are set too: they must be ignored.
      bool wanted[boardCells] = {};
      for (int i = 0; i < boardCells; ++i) wanted[i] = gameState.board[i] == 0;
      const int player = round % 2 + 1;
      std::int32_t plain[boardCells], raised[boardCells];
      std::fill(std::begin(plain), std::end(plain), untouched);
      std::fill(std::begin(raised), std::end(raised), untouched);
      gainsOverArea(box, player, wanted, plain, raised);
      for (int x = 0; x < boardStride; ++x) {
        for (int y = 0; y < boardStride; ++y) {
          const int index = x * boardStride + y;
          const bool inBox = x >= box.fromX && x < box.toX && y >= box.fromY && y < box.toY;
          if (!inBox) {
            ASSERT_EQ(plain[index], untouched) << x << "," << y;
            ASSERT_EQ(raised[index], untouched) << x << "," << y;
          } else if (cellAt(x, y) == 0) {
            const Gains expected = gainsWithStone(x, y, player);
            ASSERT_EQ(plain[index], expected.plain) << x << "," << y << " p" << player;
            ASSERT_EQ(raised[index], expected.raised) << x << "," << y << " p" << player;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
