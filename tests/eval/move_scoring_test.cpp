#include "eval/move_scoring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "board_setup.h"
#include "eval/point_evaluation.h"

namespace fivefold {
namespace {

using testing::boardCopy;
using testing::freshBoard;
using testing::put;
using Square = std::pair<int, int>;

// What the caller's arrays hold before a call: a different value in every slot, so that a
// slot copied into another is seen as well.
std::int32_t untouchedX(int slot) {
  return -100 - slot;
}
std::int32_t untouchedY(int slot) {
  return -200 - slot;
}

struct Ranked {
  std::vector<Square> squares;  // the reported entries
  int untouchedAfter = 0;       // entries past the reported ones still as they were
};

// Calls rank(outX, outY) on output arrays prefilled with the untouched values.
template <typename Rank>
Ranked ranked(Rank rank) {
  constexpr int room = 20;
  std::int32_t x[room], y[room];
  for (int i = 0; i < room; ++i) x[i] = untouchedX(i), y[i] = untouchedY(i);
  const int count = rank(x, y);
  Ranked result;
  for (int i = 0; i < count; ++i) result.squares.emplace_back(x[i], y[i]);
  for (int i = count; i < room; ++i) {
    result.untouchedAfter += x[i] == untouchedX(i) && y[i] == untouchedY(i);
  }
  return result;
}

struct Columns {
  std::vector<std::int32_t> x, y;
  int count() const { return static_cast<int>(x.size()); }
};

Columns columns(const std::vector<Square>& squares) {
  Columns split;
  for (const auto& [sx, sy] : squares) {
    split.x.push_back(sx);
    split.y.push_back(sy);
  }
  return split;
}

Ranked areaMoves(int player, int margin) {
  return ranked(
      [&](std::int32_t* x, std::int32_t* y) { return rankAreaMoves(x, y, player, margin); });
}

Ranked extraAreaMoves(int player, const std::vector<Square>& skip, int margin) {
  const Columns s = columns(skip);
  return ranked([&](std::int32_t* x, std::int32_t* y) {
    return rankExtraAreaMoves(x, y, player, s.x.data(), s.y.data(), s.count(), margin);
  });
}

Ranked areaAndExtraMoves(int player, int margin) {
  return ranked([&](std::int32_t* x, std::int32_t* y) {
    return rankAreaAndExtraMoves(x, y, player, margin);
  });
}

// The combined ranking must give exactly what the two calls give one after the other.
void expectCombinedMatchesTwoCalls(int player, int margin) {
  const Ranked area = areaMoves(player, margin);
  std::vector<Square> both = area.squares;
  const Ranked extra = extraAreaMoves(player, area.squares, margin);
  both.insert(both.end(), extra.squares.begin(), extra.squares.end());
  const Ranked combined = areaAndExtraMoves(player, margin);
  EXPECT_EQ(combined.squares, both);
  EXPECT_EQ(combined.untouchedAfter, 20 - static_cast<int>(both.size()));
}

Ranked listedMoves(int player, const std::vector<Square>& list) {
  const Columns l = columns(list);
  return ranked([&](std::int32_t* x, std::int32_t* y) {
    return rankListedMoves(x, y, player, l.x.data(), l.y.data(), l.count());
  });
}

// Every empty square of the area: the extra ranking asked again and again, each time
// leaving out what it has already given.
std::vector<Square> wholeArea(int margin) {
  std::vector<Square> seen;
  for (;;) {
    const Ranked more = extraAreaMoves(1, seen, margin);
    if (more.squares.empty()) break;
    seen.insert(seen.end(), more.squares.begin(), more.squares.end());
  }
  std::sort(seen.begin(), seen.end());
  return seen;
}

std::vector<Square> rectangle(int fromX, int toX, int fromY, int toY) {
  std::vector<Square> squares;
  for (int x = fromX; x <= toX; ++x) {
    for (int y = fromY; y <= toY; ++y) squares.emplace_back(x, y);
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
  std::vector<std::pair<std::int32_t, Square>> scored;
  for (const Square& s : visits) {
    if (cellAt(s.first, s.second) != 0) continue;
    put(s.first, s.second, player);
    const std::int32_t score =
        raised ? pointGainRaised(s.first, s.second, player) : pointGain(s.first, s.second, player);
    put(s.first, s.second, 0);
    if (score > -2000000) scored.emplace_back(score, s);
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

TEST(RankAreaMoves, EmptyBoardScoresNothingAndWritesNothing) {
  freshBoard(15, 15);
  const Ranked ranked = areaMoves(1, 4);
  EXPECT_TRUE(ranked.squares.empty());
  EXPECT_EQ(ranked.untouchedAfter, 20);
  EXPECT_TRUE(extraAreaMoves(1, {}, 4).squares.empty());
  expectCombinedMatchesTwoCalls(1, 4);
}

TEST(RankAreaMoves, EqualScoresComeInVisitingOrder) {
  // The three neighbours of a lone stone inside a margin-1 area all gain the same.
  freshBoard(15, 15);
  put(7, 7, 1);
  const Ranked ranked = areaMoves(2, 1);
  EXPECT_EQ(ranked.squares, (std::vector<Square>{{6, 6}, {6, 7}, {7, 6}}));
  EXPECT_EQ(ranked.untouchedAfter, 17);
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
  const Ranked area = areaMoves(1, 2);
  EXPECT_EQ(area.squares, bestOf({{1, 1}, {2, 3}, {4, 0}}, 1, false, 8));
  EXPECT_EQ(area.squares.size(), 3u);
  EXPECT_EQ(area.untouchedAfter, 17);
  const Ranked extra = extraAreaMoves(1, area.squares, 2);
  EXPECT_TRUE(extra.squares.empty());
  EXPECT_EQ(extra.untouchedAfter, 20);
  const Ranked one = extraAreaMoves(1, {{1, 1}, {4, 0}}, 2);
  EXPECT_EQ(one.squares, (std::vector<Square>{{2, 3}}));
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
  EXPECT_EQ(areaAndExtraMoves(2, 2).squares.size(), 10u);
  EXPECT_EQ(boardCopy(), emptied);
}

TEST(RankListedMoves, OccupiedSquaresTakeNoSlotAndDuplicatesTakeTwo) {
  freshBoard(15, 15);
  put(7, 7, 1);
  put(7, 8, 2);
  const Ranked three = listedMoves(1, {{7, 6}, {0, 14}, {8, 8}});
  EXPECT_EQ(three.squares, bestOf({{7, 6}, {0, 14}, {8, 8}}, 1, false, 10));
  EXPECT_EQ(three.squares.size(), 3u);

  const Ranked twice = listedMoves(1, {{0, 14}, {7, 7}, {6, 6}, {0, 14}, {7, 8}});
  EXPECT_EQ(twice.squares, (std::vector<Square>{{6, 6}, {0, 14}, {0, 14}}));
  EXPECT_EQ(twice.untouchedAfter, 17);
  EXPECT_TRUE(listedMoves(1, {}).squares.empty());
  // Squares off the playing area are never moves.
  EXPECT_EQ(listedMoves(1, {{15, 3}, {-1, 0}, {2, 2}, {4, 20}}).squares,
            (std::vector<Square>{{2, 2}}));
}

TEST(RankListedMoves, SquaresThatLoseTheLineAreNeverKept) {
  // Next to an own five, a stone makes a six: the gain is far below -2000000.
  freshBoard(15, 15);
  for (int y = 3; y <= 7; ++y) put(7, y, 1);
  const Ranked none = listedMoves(1, {{7, 2}, {7, 8}});
  EXPECT_TRUE(none.squares.empty());
  EXPECT_EQ(none.untouchedAfter, 20);
  EXPECT_EQ(listedMoves(1, {{7, 8}, {0, 0}}).squares, (std::vector<Square>{{0, 0}}));
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
          const Ranked best = areaMoves(player, margin);
          ASSERT_EQ(best.squares, bestOf(area, player, false, 8));
          const Ranked extra = extraAreaMoves(player, best.squares, margin);
          std::vector<Square> rest = area;
          std::erase_if(rest, [&](const Square& s) {
            return std::find(best.squares.begin(), best.squares.end(), s) != best.squares.end();
          });
          ASSERT_EQ(extra.squares, bestOf(rest, player, true, 2));
          std::vector<Square> both = best.squares;
          both.insert(both.end(), extra.squares.begin(), extra.squares.end());
          ASSERT_EQ(areaAndExtraMoves(player, margin).squares, both);
          ASSERT_EQ(boardCopy(), before);
        }
        std::vector<Square> list;
        std::uniform_int_distribution<int> pickX(0, size[0] - 1), pickY(0, size[1] - 1);
        for (int i = 0; i < 15; ++i) list.emplace_back(pickX(random), pickY(random));
        ASSERT_EQ(listedMoves(player, list).squares, bestOf(list, player, false, 10));
        ASSERT_EQ(boardCopy(), before);
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
