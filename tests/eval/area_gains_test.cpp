#include "eval/area_gains.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "board_setup.h"
#include "reference_board_value.h"
#include "reference_gain.h"

namespace fivefold {
namespace {

using testing::freshBoard;
using testing::Gains;
using testing::gainsOfStone;
using testing::put;

// The player's kept gains of the square (x, y).
Gains keptGains(int x, int y, int player) {
  const PlayerAreaGains& kept = keptAreaGains(player);
  return {kept.plain[x * boardStride + y], kept.raised[x * boardStride + y]};
}

TEST(PointGain, DocumentedValuesOn15x15) {
  freshBoard(15, 15);
  EXPECT_EQ(keptGains(7, 7, 1), (Gains{76, 76}));
  EXPECT_EQ(keptGains(0, 0, 1), (Gains{3, 3}));

  for (int y = 3; y <= 6; ++y) put(7, y, 1);
  EXPECT_EQ(keptGains(7, 7, 1), (Gains{18999481, 18999157}));

  for (int colour = 1; colour <= 2; ++colour) {  // opponent four; then colours swapped
    freshBoard(15, 15);
    for (int y = 3; y <= 6; ++y) put(7, y, colour == 1 ? 2 : 1);
    EXPECT_EQ(keptGains(7, 7, colour), (Gains{346, 670}));
  }
}

TEST(PointGain, OneNeighbourGivesTheSameOnEitherSide) {
  for (int neighbourY : {8, 6}) {
    freshBoard(15, 15);
    put(7, neighbourY, 1);
    EXPECT_EQ(keptGains(7, 7, 1), (Gains{182, 125}));
  }
}

// A stone of any value on a square leaves the square's own gains as they were.
TEST(PointGain, OccupiedSquareKeepsItsGains) {
  freshBoard(15, 15);
  put(7, 6, 1);
  put(8, 8, 2);
  const Gains empty[2] = {keptGains(7, 7, 1), keptGains(7, 7, 2)};
  for (const Cell stone : {1, 2, 3}) {
    put(7, 7, stone);
    EXPECT_EQ(keptGains(7, 7, 1), empty[0]) << stone;
    EXPECT_EQ(keptGains(7, 7, 2), empty[1]) << stone;
  }
}

TEST(PointGain, OffBoardSquaresAndWinningStonesCountForNothing) {
  // Four own stones left beyond the right edge of a 10-wide area: no window holds them.
  freshBoard(10, 15);
  for (int x = 10; x <= 13; ++x) put(x, 7, 1);
  const Gains edge = keptGains(9, 7, 1);
  freshBoard(10, 15);
  EXPECT_EQ(keptGains(9, 7, 1), edge);

  // A winning-line stone as the border of a completed five blocks nothing; inside a window
  // it is an empty square.
  freshBoard(15, 15);
  for (int y = 3; y <= 6; ++y) put(7, y, 1);
  put(7, 8, 3);
  put(8, 8, 3);
  EXPECT_EQ(keptGains(7, 7, 1), (Gains{18999481, 18999157}));
}

// The gain of every empty square is the change of the board value, and the window-by-window
// rule gives both gains as the kept ones: under every rule of the game (exact five for both
// colours, five or more, caro, and renju's exact five for black and five or more for white,
// with either side black).
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
        for (int x = 0; x < size[0]; ++x) {
          for (int y = 0; y < size[1]; ++y) {
            if (cellAt(x, y) != 0) continue;
            const std::int64_t without = testing::boardValueFromScratch();
            for (int player = 1; player <= 2; ++player) {
              const Gains expected = gainsOfStone(x, y, player);
              ASSERT_EQ(keptGains(x, y, player), expected) << x << "," << y << " p" << player;
              put(x, y, player);
              const std::int64_t with = testing::boardValueFromScratch();
              put(x, y, 0);
              ASSERT_EQ(expected.plain, player == 1 ? with - without : without - with);
            }
          }
        }
      }
    }
  }
}

// The kept gains catch up with any mix of changes between calls: stones put and taken
// back near and far, winning-line stones, stones beyond the playing area, either player
// calling, and the playing size changing under them. Half the rounds take back the latest
// writes in reverse order, as the search lifts its stones, so that the gains take back
// their absorbed changes too, past a full stack of them. The rule of the game changes now and
// then, and with it the window values the gains are made of.
TEST(AreaGains, KeptGainsFollowInterleavedChangesForBothPlayersAndSizeChanges) {
  std::mt19937 random(4242);
  freshBoard(15, 15);
  std::discrete_distribution<int> cellValue({40, 25, 25, 10});  // empty, own, opponent, won
  std::vector<std::pair<int, Cell>> written;  // each write's square and the value it replaced
  for (int round = 0; round < 600; ++round) {
    if (round % 60 == 59) {  // a new size; the grid keeps what it held
      const auto& size = testing::testSizes[(round / 60) % std::size(testing::testSizes)];
      setPlayingSize(size[0], size[1]);
    }
    if (round % 40 == 20) {  // a new rule of the game: the gains start afresh under it
      const testing::TestRule& rule =
          testing::testRules[(round / 40) % std::size(testing::testRules)];
      setGameRule(rule.rule, rule.blackSide);
    }
    std::uniform_int_distribution<int> anyCell(0, boardCells - 1);
    const int changes = std::uniform_int_distribution<int>(0, round % 7 == 0 ? 40 : 4)(random);
    if (round % 2 == 1) {
      for (int i = 0; i < changes && !written.empty(); ++i) {
        setCell(written.back().first / boardStride, written.back().first % boardStride,
                written.back().second);
        written.pop_back();
      }
    } else {
      for (int i = 0; i < changes; ++i) {
        const int index = anyCell(random);
        written.push_back({index, gameState.board[index]});
        setCell(index / boardStride, index % boardStride, cellValue(random));
      }
    }
    const int width = gameState.width;
    const int height = gameState.height;
    std::uniform_int_distribution<int> pickX(0, width - 1), pickY(0, height - 1);
    const int x1 = pickX(random), x2 = pickX(random), y1 = pickY(random), y2 = pickY(random);
    const int player = std::uniform_int_distribution<int>(1, 2)(random);
    // A sample of the area: the squares of a random rectangle.
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
      for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
        if (cellAt(x, y) != 0) continue;
        ASSERT_EQ(keptGains(x, y, player), gainsOfStone(x, y, player))
            << "round " << round << " " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
