#include "eval/move_scoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "board_setup.h"
#include "reference_gain.h"

namespace fivefold {
namespace {

using testing::boardCopy;
using testing::freshBoard;
using testing::gainsOfStone;
using testing::put;

std::vector<Square> squaresOf(const RankedMoves& ranked) {
  return {ranked.squares, ranked.squares + ranked.count};
}

std::vector<Square> areaMoves(int player, int margin) {
  return squaresOf(rankAreaMoves(player, margin));
}

std::vector<Square> extraAreaMoves(int player, const std::vector<Square>& skip, int margin) {
  return squaresOf(rankExtraAreaMoves(player, skip, margin));
}

std::vector<Square> areaAndExtraMoves(int player, int margin) {
  return squaresOf(rankAreaAndExtraMoves(player, margin));
}

// The combined ranking must give exactly what the two calls give one after the other.
void expectCombinedMatchesTwoCalls(int player, int margin) {
  std::vector<Square> both = areaMoves(player, margin);
  const std::vector<Square> extra = extraAreaMoves(player, both, margin);
  both.insert(both.end(), extra.begin(), extra.end());
  EXPECT_EQ(areaAndExtraMoves(player, margin), both);
}

// Every ranked square comes with its point gain, the extra area squares too.
void expectPointGains(const RankedMoves& ranked, int player) {
  for (int i = 0; i < ranked.count; ++i) {
    const Square s = ranked.squares[i];
    EXPECT_EQ(ranked.gains[i], gainsOfStone(s.x, s.y, player).plain) << s.x << "," << s.y;
  }
}

std::vector<Square> listedMoves(int player, const std::vector<Square>& list) {
  return squaresOf(rankListedMoves(player, list));
}

bool gridOrder(const Square& a, const Square& b) {
  return a.x != b.x ? a.x < b.x : a.y < b.y;
}

// Every empty square of the area: the extra ranking asked again and again, each time
// leaving out what it has already given.
std::vector<Square> wholeArea(int margin) {
  std::vector<Square> seen;
  for (;;) {
    const std::vector<Square> more = extraAreaMoves(1, seen, margin);
    if (more.empty()) break;
    seen.insert(seen.end(), more.begin(), more.end());
  }
  std::sort(seen.begin(), seen.end(), gridOrder);
  return seen;
}

std::vector<Square> rectangle(int fromX, int toX, int fromY, int toY) {
  std::vector<Square> squares;
  for (int x = fromX; x <= toX; ++x) {
    for (int y = fromY; y <= toY; ++y) squares.push_back({x, y});
  }
  return squares;
}

// The area as the scorers define it: the box of all non-empty squares, margin squares
// before it and margin - 1 beyond it, clipped to the playing area; all its squares.
std::vector<Square> areaOf(int margin) {
  int minX = gameState.width, maxX = 0, minY = gameState.height, maxY = 0;
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) {
      if (cellAt(x, y) == 0) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  return rectangle(std::max(0, minX - margin), std::min(gameState.width, maxX + margin) - 1,
                   std::max(0, minY - margin), std::min(gameState.height, maxY + margin) - 1);
}

// The expected ranking: scores taken with the stone written on the board, a stable sort
// by descending score over the visiting order, only scores above -2000000, the first k.
std::vector<Square> bestOf(const std::vector<Square>& visits, int player, bool raised, int k) {
  std::vector<std::pair<std::int64_t, Square>> scored;
  for (const Square& s : visits) {
    if (cellAt(s.x, s.y) != 0) continue;
    const testing::Gains gains = gainsOfStone(s.x, s.y, player);
    const std::int64_t score = raised ? gains.raised : gains.plain;
    if (score > -2000000) scored.push_back({score, s});
  }
  std::stable_sort(scored.begin(), scored.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<Square> best;
  for (int i = 0; i < k && i < static_cast<int>(scored.size()); ++i)
    best.push_back(scored[i].second);
  return best;
}

TEST(RankAreaMoves, AreaReachesMarginBeforeAndOneLessBeyondTheStones) {
  freshBoard(15, 15);
  put(7, 7, 1);
  std::vector<Square> expected = rectangle(3, 10, 3, 10);
  std::erase(expected, Square{7, 7});
  EXPECT_EQ(wholeArea(4), expected);
  expected = rectangle(5, 8, 5, 8);
  std::erase(expected, Square{7, 7});
  EXPECT_EQ(wholeArea(2), expected);

  freshBoard(15, 15);
  put(0, 0, 2);
  expected = rectangle(0, 3, 0, 3);
  std::erase(expected, Square{0, 0});
  EXPECT_EQ(wholeArea(4), expected);

  freshBoard(15, 15);
  put(14, 14, 3);  // winning-line stones count for the box too; the board's edge clips it
  expected = rectangle(10, 14, 10, 14);
  std::erase(expected, Square{14, 14});
  EXPECT_EQ(wholeArea(4), expected);
}

TEST(RankAreaMoves, EmptyBoardScoresNothing) {
  freshBoard(15, 15);
  EXPECT_TRUE(areaMoves(1, 4).empty());
  EXPECT_TRUE(extraAreaMoves(1, {}, 4).empty());
  expectCombinedMatchesTwoCalls(1, 4);
}

TEST(RankAreaMoves, EqualScoresComeInVisitingOrder) {
  // The three neighbours of a lone stone inside a margin-1 area all gain the same.
  freshBoard(15, 15);
  put(7, 7, 1);
  EXPECT_EQ(areaMoves(2, 1), (std::vector<Square>{{6, 6}, {6, 7}, {7, 6}}));
}

TEST(RankAreaMoves, NearlyFullAreaReportsOnlyFilledSlots) {
  freshBoard(5, 5);
  // A full 5 x 5 board without any five, then three squares emptied.
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y < 5; ++y) put(x, y, (x + 2 * y) % 4 < 2 ? 1 : 2);
  }
  put(1, 1, 0);
  put(2, 3, 0);
  put(4, 0, 0);
  const auto before = boardCopy();
  const std::vector<Square> area = areaMoves(1, 2);
  EXPECT_EQ(area, bestOf({{1, 1}, {2, 3}, {4, 0}}, 1, false, 8));
  EXPECT_EQ(area.size(), 3u);
  EXPECT_TRUE(extraAreaMoves(1, area, 2).empty());
  EXPECT_EQ(extraAreaMoves(1, {{1, 1}, {4, 0}}, 2), (std::vector<Square>{{2, 3}}));
  expectCombinedMatchesTwoCalls(1, 2);
  put(3, 3, 0);
  put(0, 4, 0);
  put(4, 4, 0);
  put(1, 2, 0);
  put(0, 0, 0);
  put(3, 0, 0);
  put(2, 2, 0);  // ten empty squares: the extra ranking gets two of them
  const auto emptied = boardCopy();
  expectCombinedMatchesTwoCalls(2, 2);
  EXPECT_EQ(areaAndExtraMoves(2, 2).size(), 10u);
  EXPECT_EQ(boardCopy(), emptied);
}

TEST(RankListedMoves, OccupiedSquaresTakeNoSlotAndDuplicatesTakeTwo) {
  freshBoard(15, 15);
  put(7, 7, 1);
  put(7, 8, 2);
  const std::vector<Square> three = listedMoves(1, {{7, 6}, {0, 14}, {8, 8}});
  EXPECT_EQ(three, bestOf({{7, 6}, {0, 14}, {8, 8}}, 1, false, 10));
  EXPECT_EQ(three.size(), 3u);

  EXPECT_EQ(listedMoves(1, {{0, 14}, {7, 7}, {6, 6}, {0, 14}, {7, 8}}),
            (std::vector<Square>{{6, 6}, {0, 14}, {0, 14}}));
  EXPECT_TRUE(listedMoves(1, {}).empty());
  // Squares off the playing area are never moves.
  EXPECT_EQ(listedMoves(1, {{15, 3}, {-1, 0}, {2, 2}, {4, 20}}), (std::vector<Square>{{2, 2}}));
}

TEST(RankListedMoves, SquaresThatLoseTheLineAreNeverKept) {
  // Next to an own five, a stone makes a six: the gain is far below -2000000.
  freshBoard(15, 15);
  for (int y = 3; y <= 7; ++y) put(7, y, 1);
  EXPECT_TRUE(listedMoves(1, {{7, 2}, {7, 8}}).empty());
  EXPECT_EQ(listedMoves(1, {{7, 8}, {0, 0}}), (std::vector<Square>{{0, 0}}));
}

TEST(MoveRanking, MatchesStableSortOfPointGainsAndLeavesTheBoard) {
  std::mt19937 random(4242);
  for (const auto& size : testing::testSizes) {
    for (double density : {0.03, 0.15, 0.5}) {
      freshBoard(size[0], size[1]);
      testing::scatterStones(random, density);
      const auto before = boardCopy();
      for (int player = 1; player <= 2; ++player) {
        for (int margin : {2, 4}) {
          const std::vector<Square> area = areaOf(margin);
          const std::vector<Square> best = areaMoves(player, margin);
          ASSERT_EQ(best, bestOf(area, player, false, 8));
          const std::vector<Square> extra = extraAreaMoves(player, best, margin);
          std::vector<Square> rest = area;
          std::erase_if(rest, [&](const Square& s) {
            return std::find(best.begin(), best.end(), s) != best.end();
          });
          ASSERT_EQ(extra, bestOf(rest, player, true, 2));
          std::vector<Square> both = best;
          both.insert(both.end(), extra.begin(), extra.end());
          ASSERT_EQ(areaAndExtraMoves(player, margin), both);
          expectPointGains(rankAreaAndExtraMoves(player, margin), player);
          // The summary that a node with only leaves below takes instead of the ranking.
          // It cannot tell when a square scores -2000000 or less (random boards hold fives).
          const AreaMoveSummary summary = summariseAreaMoves(player, margin);
          bool everyScoreAbove = true;
          for (const Square& s : area) {
            if (cellAt(s.x, s.y) != 0) continue;
            const testing::Gains gains = gainsOfStone(s.x, s.y, player);
            everyScoreAbove = everyScoreAbove && gains.plain > -2000000 && gains.raised > -2000000;
          }
          ASSERT_EQ(summary.known, everyScoreAbove);
          if (summary.known) {
            ASSERT_EQ(summary.count, static_cast<int>(both.size()));
          }
          if (summary.known && !both.empty()) {
            ASSERT_EQ(summary.bestGain, gainsOfStone(both[0].x, both[0].y, player).plain);
          }
          ASSERT_EQ(boardCopy(), before);
        }
        std::vector<Square> list;
        std::uniform_int_distribution<int> pickX(0, size[0] - 1), pickY(0, size[1] - 1);
        for (int i = 0; i < 15; ++i) list.push_back({pickX(random), pickY(random)});
        ASSERT_EQ(listedMoves(player, list), bestOf(list, player, false, 10));
        expectPointGains(rankListedMoves(player, list), player);
        ASSERT_EQ(boardCopy(), before);
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
