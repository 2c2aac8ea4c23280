#include "decision/alpha_beta.h"

#include <gtest/gtest.h>

#include "core/score_scale.h"
#include "decision/candidates.h"
#include "eval/board_evaluation.h"
#include "reference_board_value.h"
#include "search_fixture.h"

namespace fivefold {
namespace {

constexpr std::int32_t fullLow = -2000000;
constexpr std::int32_t fullHigh = 2000000;

class AlphaBetaTest : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    newBoard(20, 20);
    // Only the stop flag ends these searches, so that the counts do not depend on the clock.
    searchState.timeLimited = false;
    startTurnClock();
  }

  // A full-window search from a fresh node count; the board must come back unchanged.
  static std::int32_t search(int player, int depth) {
    const std::vector<Cell> before = boardCopy();
    searchState.nodeCount = 0;
    const std::int32_t score = alphaBeta(player, depth, fullLow, fullHigh);
    EXPECT_EQ(boardCopy(), before);
    return score;
  }
  static std::int64_t nodes() { return searchState.nodeCount; }

  // The static values, for player 1, of the positions after each root candidate.
  static std::vector<std::int32_t> leafValues() {
    NodeLists lists;
    const int count = buildCandidates(1, 2, ThreatList{}, 0, lists);
    std::vector<std::int32_t> values;
    for (int i = 0; i < count; ++i) {
      const Square move = lists.candidates.squares[i];
      put(move.x, move.y, 1);
      values.push_back(-evaluateBoard(2));
      put(move.x, move.y, 0);
    }
    return values;
  }
};

std::int32_t decided(std::int64_t total, int player) {
  if (total > 900000) return player == 1 ? 1000000 : -1000000;
  if (total < -900000) return player == 1 ? -1000000 : 1000000;
  return static_cast<std::int32_t>(player == 1 ? total : -total);
}

TEST(DecayScoreTest, AgesOnlyDecidedScores) {
  EXPECT_EQ(decayScore(999999), 999998);
  EXPECT_EQ(decayScore(900001), 900000);
  EXPECT_EQ(decayScore(900000), 900000);
  EXPECT_EQ(decayScore(-900000), -900000);
  EXPECT_EQ(decayScore(-900001), -900000);
  EXPECT_EQ(decayScore(-999998), -999997);
  EXPECT_EQ(decayScore(123), 123);
}

TEST_F(AlphaBetaTest, DepthZeroIsTheStaticValueAndCountsOneNode) {
  putAll({{7, 7}, {7, 8}, {9, 9}}, 1);
  putAll({{8, 8}, {3, 3}}, 2);
  for (int player : {1, 2}) {
    EXPECT_EQ(search(player, 0), decided(testing::boardValueFromScratch(), player));
    EXPECT_EQ(nodes(), 1);
  }
  EXPECT_EQ(search(1, -3), decided(testing::boardValueFromScratch(), 1));
  putLine(2, 15, 1, 0, 5, 2);  // an opponent five: decided
  EXPECT_EQ(search(1, 0), -1000000);
  EXPECT_EQ(search(2, 0), 1000000);
}

TEST_F(AlphaBetaTest, ThreatsDecideWithoutSearching) {
  putLine(5, 10, 1, 0, 4, 1);  // own open four
  putLine(5, 14, 1, 0, 4, 2);  // opponent open four
  EXPECT_EQ(search(1, 3), scoreOwnFour);
  EXPECT_EQ(nodes(), 1);
  EXPECT_EQ(search(2, 3), scoreOwnFour);  // the side to move completes first

  resetAll();
  newBoard(20, 20);
  putLine(5, 14, 1, 0, 4, 2);  // open at both ends: two squares, none common
  EXPECT_EQ(search(1, 3), scoreLostToFours);
  EXPECT_EQ(nodes(), 1);

  putLine(5, 5, 1, 0, 3, 1);  // an own open three beside it makes no difference
  EXPECT_EQ(search(1, 3), scoreLostToFours);

  resetAll();
  newBoard(20, 20);
  putLine(5, 5, 1, 0, 3, 1);   // own open three
  putLine(5, 12, 1, 0, 3, 2);  // and the opponent's
  EXPECT_EQ(search(1, 3), scoreOwnThree);
  EXPECT_EQ(nodes(), 1);
}

TEST_F(AlphaBetaTest, OpponentDoubleThreeWithoutDefenceIsLost) {
  putLine(4, 4, 1, 0, 3, 2);
  putLine(12, 14, 0, 1, 3, 2);
  put(16, 3, 1);
  EXPECT_EQ(search(1, 4), scoreLostToThrees);
  EXPECT_EQ(nodes(), 1);

  // Threes that meet on a common square can be answered there: the search goes on.
  resetAll();
  newBoard(20, 20);
  putLine(5, 10, 1, 0, 3, 2);  // cost squares (4, 10) and (8, 10)
  putLine(8, 11, 0, 1, 3, 2);  // cost squares (8, 10) and (8, 14)
  EXPECT_GT(search(1, 2), scoreLostToThrees);
  EXPECT_GT(nodes(), 1);
}

// The only way to stop the opponent's four is its completion square; there the block makes an
// open four of our own, a win found one level below at the same depth.
TEST_F(AlphaBetaTest, SingleOpponentFourIsBlockedAtTheSameDepth) {
  put(4, 10, 1);
  putLine(5, 10, 1, 0, 4, 2);  // closed four, completion (9, 10)
  putLine(9, 11, 0, 1, 3, 1);  // a block on (9, 10) makes (9, 10)..(9, 13), open
  EXPECT_EQ(search(1, 1), decayScore(-scoreLostToFours));
  EXPECT_EQ(nodes(), 2);  // at depth 1 the child is not a leaf: the block used no depth

  // In a quiet position the result is the decayed negation of the blocked child's score.
  resetAll();
  newBoard(20, 20);
  searchState.timeLimited = false;
  put(4, 10, 1);
  putLine(5, 10, 1, 0, 4, 2);
  putAll({{12, 4}, {3, 15}}, 1);
  putAll({{11, 5}}, 2);
  const std::int32_t score = search(1, 2);
  const std::int64_t rootNodes = nodes();
  put(9, 10, 1);
  restartIncrementalState();
  const std::int32_t child = search(2, 2);
  EXPECT_EQ(score, decayScore(-child));
  EXPECT_EQ(rootNodes, nodes() + 1);
}

TEST_F(AlphaBetaTest, DoubleFourWithACommonSquareIsBlockedThere) {
  put(4, 10, 1);
  putLine(5, 10, 1, 0, 4, 2);  // row four, completion (9, 10)
  put(9, 15, 1);
  putLine(9, 11, 0, 1, 4, 2);  // column four, completion (9, 10)
  // Own stones on the anti-diagonal through (9, 10): the block makes an open four.
  putAll({{10, 9}, {11, 8}, {12, 7}}, 1);
  EXPECT_EQ(search(1, 1), decayScore(-scoreLostToFours));
  EXPECT_EQ(nodes(), 2);
}

TEST_F(AlphaBetaTest, NodeWithoutCandidatesScoresMinusInfinity) {
  newBoard(5, 5);
  for (int x = 0; x < 5; ++x) {
    for (int y = 0; y < 5; ++y) put(x, y, (x + 2 * y) % 3 + 1);
  }
  EXPECT_EQ(search(1, 2), -scoreInfinity);
  EXPECT_EQ(nodes(), 1);

  resetAll();
  newBoard(15, 15);  // no stone at all: the scored area is empty
  searchState.timeLimited = false;
  EXPECT_EQ(search(2, 3), -scoreInfinity);
}

// Candidate 0 makes two closed fours at once; after that win the next two candidates are
// searched to depth 1 only and the rest not at all, so the work does not grow with the depth.
// Blockers fill the board but for the three squares of the fours and a far 3 x 3 field.
TEST_F(AlphaBetaTest, WinFoundLowersTheBoundOfTheRemainingMoves) {
  put(4, 10, 2);
  putLine(5, 10, 1, 0, 3, 1);
  put(8, 14, 2);
  putLine(8, 11, 0, 1, 3, 1);
  std::vector<std::pair<int, int>> keepEmpty = {{8, 10}, {9, 10}, {8, 9}};
  for (int x = 14; x < 17; ++x) {
    for (int y = 2; y < 5; ++y) keepEmpty.emplace_back(x, y);
  }
  fillEmptyWithBlockers(keepEmpty);
  NodeLists lists;
  ASSERT_EQ(buildCandidates(1, 2, ThreatList{}, 0, lists), 10);
  ASSERT_EQ(lists.candidates.squares[0], (Square{8, 10}));

  EXPECT_EQ(search(1, 3), decayScore(-scoreLostToFours));
  const std::int64_t shallow = nodes();
  EXPECT_EQ(search(1, 9), decayScore(-scoreLostToFours));
  EXPECT_EQ(nodes(), shallow);
  EXPECT_LT(shallow, 40);
}

// At depth 1 every child is one leaf, so the node count shows how many candidates the
// thresholds let through for a given best score.
TEST_F(AlphaBetaTest, ThresholdsLimitTheCandidatesByTheBestScore) {
  struct Case {
    std::vector<std::pair<int, int>> own, opponent;
    std::int32_t low, high;  // every candidate's leaf value lies in [low, high)
    std::int64_t nodes;
  };
  const Case cases[] = {
      // best >= 600 after five candidates: no sixth
      {{{3, 3}, {3, 4}, {10, 3}, {10, 4}, {3, 12}, {4, 12}, {12, 12}, {13, 13}},
       {{17, 17}},
       600,
       900000,
       6},
      // 0 <= best < 600: the sixth runs, the seventh does not
      {{{8, 8}, {8, 9}}, {{15, 15}}, 0, 600, 7},
      // -200 <= best < 0: the seventh runs, the eighth does not
      {{{8, 8}}, {{8, 9}, {9, 8}, {14, 14}}, -200, 0, 8},
      // best < -200 and not lost: the eighth runs, the ninth does not
      {{{8, 8}}, {{8, 9}, {9, 8}, {14, 14}, {14, 15}}, -900000, -200, 9},
      // every move loses (the opponent has a five already): all ten run
      {{{8, 8}, {12, 12}}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, -1000000, -900000, 11},
  };
  for (const Case& c : cases) {
    resetAll();
    newBoard(20, 20);
    searchState.timeLimited = false;
    for (const auto& [x, y] : c.own) put(x, y, 1);
    for (const auto& [x, y] : c.opponent) put(x, y, 2);
    const std::vector<std::int32_t> values = leafValues();
    ASSERT_EQ(values.size(), 10u);
    for (std::int32_t v : values) {
      ASSERT_GE(v, c.low);
      ASSERT_LT(v, c.high);
    }
    restartIncrementalState();
    const std::int32_t score = search(1, 1);
    EXPECT_EQ(nodes(), c.nodes) << "values from " << c.low << " to " << c.high;
    EXPECT_EQ(score, decayScore(*std::max_element(values.begin(), values.end())));
  }
}

TEST_F(AlphaBetaTest, StopUnwindsAfterTheFirstLeafWithZero) {
  putAll({{7, 7}, {9, 8}}, 1);
  putAll({{8, 8}, {6, 9}}, 2);
  setStopSearch(1);
  EXPECT_EQ(search(1, 4), 0);
  EXPECT_EQ(nodes(), 5);  // one path down to the first leaf
  EXPECT_TRUE(stopRequested());

  // A budget of zero (timeout_turn 100) ends the search the same way.
  setStopSearch(0);
  searchState.timeLimited = true;
  gameState.timeoutTurn.store(100);
  startTurnClock();
  EXPECT_EQ(search(1, 3), 0);
  EXPECT_EQ(nodes(), 4);
  EXPECT_TRUE(stopRequested());
}

}  // namespace
}  // namespace fivefold
