// The templates and what each character demands, through the tests' plain matcher.
#include "threats/threat_patterns.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

#include "reference_match.h"
#include "threat_board.h"

namespace fivefold {
namespace {

using PatternTest = ThreatBoardTest;

std::optional<PatternMatch> matchAt(int entry, int player, int startX, int startY, int dx, int dy,
                                    ThreatMode mode) {
  return testing::matchPattern(player, threatPatterns[0][entry], startX, startY, dx, dy, mode);
}

PatternMatch match(Square gain, std::vector<Square> costs, std::optional<Square> missing = {}) {
  PatternMatch m{missing, gain};
  for (const Square square : costs) m.cost[m.costCount++] = square;
  return m;
}

TEST_F(PatternTest, EveryTemplateSpansItsWindowOrIsNone) {
  for (int rule = 0; rule < fiveRuleCount; ++rule) {
    for (int kind = Three; kind <= Four; ++kind) {
      ASSERT_EQ(patternsPerKind(ThreatKind(kind)), 7);
      for (int p = 0; p < 7; ++p) {
        const char* pattern = patternTemplate(FiveRule(rule), ThreatKind(kind), p);
        if (*pattern == '\0' && rule != 0 && kind == Three) continue;
        EXPECT_EQ(std::strlen(pattern), std::size_t(windowLength(ThreatKind(kind))));
      }
    }
  }
  EXPECT_EQ(windowLength(Three), 9);
  EXPECT_EQ(windowLength(Four), 8);
}

TEST_F(PatternTest, SolidFourMatchesBothGainSides) {
  putRow(5, 8, 10, 1);
  EXPECT_EQ(matchAt(7, 1, 3, 10, 1, 0, Exact), match({4, 10}, {{4, 10}}));
  EXPECT_EQ(matchAt(8, 1, 3, 10, 1, 0, Exact), match({9, 10}, {{9, 10}}));
  // The other player has no four there, and one cell further the window is wrong.
  EXPECT_FALSE(matchAt(7, 2, 3, 10, 1, 0, Exact));
  EXPECT_FALSE(matchAt(7, 1, 4, 10, 1, 0, Exact));
}

TEST_F(PatternTest, OpenThreeTakesTheLastGainAndKeepsCostsInWindowOrder) {
  putRow(5, 7, 10, 1);
  EXPECT_EQ(matchAt(0, 1, 2, 10, 1, 0, Exact), match({8, 10}, {{4, 10}, {8, 10}}));
}

TEST_F(PatternTest, BoardEdgeCountsAsNoOwnStoneAndAsBlocker) {
  putRow(1, 3, 5, 1);  // "*Ocxxxgco" from (-2, 5): edge at -1 is the "O"
  EXPECT_EQ(matchAt(1, 1, -2, 5, 1, 0, Exact), match({4, 5}, {{0, 5}, {4, 5}, {5, 5}}));
  // Away from the edge an empty "O" cell fails, an opponent stone passes, a
  // winning-line stone fails.
  setBoard(20, 20);
  putRow(4, 6, 5, 1);
  EXPECT_FALSE(matchAt(1, 1, 1, 5, 1, 0, Exact));
  put(2, 5, 2);
  EXPECT_TRUE(matchAt(1, 1, 1, 5, 1, 0, Exact));
  put(2, 5, 3);
  EXPECT_FALSE(matchAt(1, 1, 1, 5, 1, 0, Exact));
}

TEST_F(PatternTest, OwnCellsOutsideTheBoardFail) {
  putRow(16, 18, 4, 1);  // "ogxxxxo*" from (14, 4): the fourth "x" is (19, 4)
  EXPECT_EQ(matchAt(7, 1, 14, 4, 1, 0, OneMissing), match({15, 4}, {{15, 4}}, Square{19, 4}));
  setPlayingSize(19,
                 gameState.height);  // (19, 4) is off the board: it cannot be the missing square
  EXPECT_FALSE(matchAt(7, 1, 14, 4, 1, 0, OneMissing));
  // A "g" beyond the edge fails too: "*oxxxxgo" from (13, 4) would gain at (19, 4).
  put(15, 4, 1);
  EXPECT_FALSE(matchAt(8, 1, 13, 4, 1, 0, Exact));
  setPlayingSize(20, gameState.height);
  EXPECT_TRUE(matchAt(8, 1, 13, 4, 1, 0, Exact));
}

TEST_F(PatternTest, OneMissingAcceptsExactlyOneEmptyOwnCell) {
  putRow(5, 8, 10, 1);
  // A complete four: nothing missing.
  EXPECT_EQ(matchAt(7, 1, 3, 10, 1, 0, OneMissing), match({4, 10}, {{4, 10}}));
  put(6, 10, 0);
  EXPECT_FALSE(matchAt(7, 1, 3, 10, 1, 0, Exact));
  EXPECT_EQ(matchAt(7, 1, 3, 10, 1, 0, OneMissing), match({4, 10}, {{4, 10}}, Square{6, 10}));
  put(7, 10, 0);
  EXPECT_FALSE(matchAt(7, 1, 3, 10, 1, 0, OneMissing));
}

TEST_F(PatternTest, WinningLineStoneIsNeitherOwnNorOpponentNorEmpty) {
  putRow(5, 8, 10, 2);
  put(3, 10, 3);  // "o" at the start: passes
  EXPECT_TRUE(matchAt(7, 2, 3, 10, 1, 0, Exact));
  put(4, 10, 3);  // "g": must be empty
  EXPECT_FALSE(matchAt(7, 2, 3, 10, 1, 0, Exact));
  put(4, 10, 0);
  put(6, 10, 3);  // "x": never a winning-line stone, in either mode
  EXPECT_FALSE(matchAt(7, 2, 3, 10, 1, 0, OneMissing));
}

TEST_F(PatternTest, DiagonalStepsWalkBothCoordinates) {
  for (int i = 0; i < 4; ++i) put(10 - i, 10 + i, 2);  // direction 6 and its reverse
  EXPECT_EQ(matchAt(8, 2, 12, 8, -1, 1, Exact), match({6, 14}, {{6, 14}}));
  EXPECT_EQ(matchAt(7, 2, 12, 8, -1, 1, Exact), match({11, 9}, {{11, 9}}));
}

}  // namespace
}  // namespace fivefold
