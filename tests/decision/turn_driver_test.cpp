#include "decision/turn_driver.h"

#include <gtest/gtest.h>

#include "core/score_scale.h"
#include "decision/candidates.h"
#include "message_formats.h"
#include "search_fixture.h"

namespace fivefold {
namespace {

class TurnDriverTest : public SearchTest {
 protected:
  void SetUp() override {
    SearchTest::SetUp();
    newBoard(20, 20);
  }

  struct Decision {
    std::pair<int, int> move;
    std::int32_t score;
  };
  Decision decide() {
    const std::vector<Cell> before = boardCopy();
    const TurnDecision turn = decideMove();
    EXPECT_EQ(boardCopy(), before);
    return {{turn.move.x, turn.move.y}, turn.score};
  }
  // The one search line, split into depth, E (empty when absent) and stop code.
  std::vector<std::string> searchFields() const {
    EXPECT_EQ(lines.size(), 1u);
    std::smatch match;
    if (lines.empty() || !std::regex_match(lines[0], match, searchLineFormat)) {
      ADD_FAILURE() << "not a search line: " << (lines.empty() ? "" : lines[0]);
      return {"", "", ""};
    }
    return {match[1], match[2], match[3].matched ? match[3] : match[4]};
  }
  // The root candidates of the current position when the opponent has no three.
  static std::vector<std::pair<int, int>> rootCandidates() {
    NodeLists lists;
    const int count = buildCandidates(1, 4, ThreatList{}, 0, lists);
    std::vector<std::pair<int, int>> moves;
    for (int i = 0; i < count; ++i) {
      moves.emplace_back(lists.candidates.squares[i].x, lists.candidates.squares[i].y);
    }
    return moves;
  }
  static void quietPosition() {
    putAll({{9, 9}, {10, 11}, {7, 12}}, 1);
    putAll({{10, 10}, {8, 9}, {11, 8}}, 2);
  }
};

TEST_F(TurnDriverTest, OwnFourIsCompletedEvenAgainstAnOpponentFour) {
  putLine(5, 10, 1, 0, 4, 1);
  putLine(5, 14, 1, 0, 4, 2);
  const Decision d = decide();
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: M4", "MESSAGE Thx"}));
  EXPECT_EQ(d.move, std::pair(4, 10));  // the first record's gain square
  EXPECT_EQ(d.score, scoreOwnFour);
}

TEST_F(TurnDriverTest, OpponentFoursAreBlockedOrReportedLost) {
  putLine(5, 14, 1, 0, 4, 2);  // open four: two squares, none common
  Decision d = decide();
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: O4>1", "MESSAGE Grat"}));
  EXPECT_EQ(d.move, std::pair(4, 14));
  EXPECT_EQ(d.score, scoreLostToFours);

  resetAll();
  lines.clear();
  newBoard(20, 20);
  put(4, 10, 1);
  putLine(5, 10, 1, 0, 4, 2);  // completes on (9, 10)
  d = decide();
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: O4=1"}));
  EXPECT_EQ(d.move, std::pair(9, 10));
  EXPECT_EQ(d.score, 0);

  put(9, 15, 1);
  putLine(9, 11, 0, 1, 4, 2);  // a second four completing on the same square
  lines.clear();
  d = decide();
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: O4>1I"}));
  EXPECT_EQ(d.move, std::pair(9, 10));
  EXPECT_EQ(d.score, 0);
}

TEST_F(TurnDriverTest, ThreesDecideWithTheirSquares) {
  putLine(5, 10, 1, 0, 3, 1);
  putLine(5, 3, 0, 1, 3, 2);
  Decision d = decide();
  // Pattern 0, exact, kind three, direction 3, start (2, 10).
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: M3 30210"}));
  EXPECT_EQ(d.move, std::pair(8, 10));
  EXPECT_EQ(d.score, scoreOwnThree);

  resetAll();
  lines.clear();
  newBoard(20, 20);
  putLine(4, 4, 1, 0, 3, 2);    // cost squares (3, 4) and (7, 4), scanned first
  putLine(12, 14, 0, 1, 3, 2);  // far away: no common square
  put(17, 2, 1);
  d = decide();
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: O3>1"}));
  EXPECT_EQ(d.move, std::pair(3, 4));
  EXPECT_EQ(d.score, scoreLostToThrees);
}

TEST_F(TurnDriverTest, SingleCandidateIsPlayedWithoutSearch) {
  putLine(5, 10, 1, 0, 3, 2);  // cost squares (4, 10) and (8, 10)
  putLine(8, 11, 0, 1, 3, 2);  // cost squares (8, 10) and (8, 14)
  const Decision d = decide();
  EXPECT_EQ(searchFields(), (std::vector<std::string>{"6", "", "0M"}));
  EXPECT_EQ(d.move, std::pair(8, 10));
  EXPECT_EQ(searchState.nodeCount, 0);
}

TEST_F(TurnDriverTest, NoTimeStopsAtTheFirstCandidate) {
  quietPosition();
  const auto candidates = rootCandidates();
  ASSERT_GE(candidates.size(), 2u);
  gameState.timeoutTurn.store(0);
  const Decision d = decide();
  EXPECT_EQ(searchFields(), (std::vector<std::string>{"6", "0", "T1Aa"}));
  EXPECT_EQ(d.move, candidates[0]);
  EXPECT_EQ(d.score, 0);
  EXPECT_TRUE(stopRequested());
}

// A stop asked for after the turn started but before the decision began is not lost: the
// first child search runs down one path and the driver answers with candidate 0.
TEST_F(TurnDriverTest, StopAskedBeforeTheDecisionIsHonoured) {
  quietPosition();
  const auto candidates = rootCandidates();
  gameState.timeoutTurn.store(1100);  // a lost stop would cost a second, not ten
  setStopSearch(1);
  const Decision d = decide();
  EXPECT_EQ(searchFields(), (std::vector<std::string>{"6", "0", "T1Aa"}));
  EXPECT_EQ(d.move, candidates[0]);
  EXPECT_LE(searchState.nodeCount, 6);
  EXPECT_TRUE(stopRequested());
}

// Two open threes of the opponent and no common square; our only moves are the fours of a
// closed three, and after each block the threes win. The next iteration has nothing left.
TEST_F(TurnDriverTest, AllCandidatesLosingEndsWithTheLostScore) {
  searchState.timeLimited = false;
  putLine(4, 4, 1, 0, 3, 2);
  putLine(12, 14, 0, 1, 3, 2);
  put(3, 17, 2);
  putLine(4, 17, 1, 0, 3, 1);
  const Decision d = decide();
  const auto fields = searchFields();
  EXPECT_EQ(fields[0], "8");
  EXPECT_EQ(fields[2], "0M");
  ASSERT_FALSE(fields[1].empty());
  EXPECT_EQ(std::stoi(fields[1]), d.score);
  EXPECT_LT(d.score, -scoreDecided);
  EXPECT_EQ(d.move.second, 17);  // one of our four-making squares
  EXPECT_TRUE(d.move.first == 7 || d.move.first == 8);
}

// Two closed threes of ours cross on an empty square: playing it makes two fours that no
// single square blocks.
TEST_F(TurnDriverTest, ForcedWinEndsTheSearch) {
  searchState.timeLimited = false;
  put(4, 10, 2);
  putLine(5, 10, 1, 0, 3, 1);
  put(8, 14, 2);
  putLine(8, 11, 0, 1, 3, 1);
  const Decision d = decide();
  EXPECT_EQ(searchFields(), (std::vector<std::string>{"6", "999997", "W"}));
  EXPECT_EQ(d.move, std::pair(8, 10));
  EXPECT_EQ(d.score, 999997);

  // Blockers leave 12 empty squares, and the winning square comes first. Every later root
  // move is then searched to depth 1 only: a node, perhaps a forced block, and at most ten
  // leaves each, instead of the iteration's depth 5.
  std::vector<std::pair<int, int>> keepEmpty = {{8, 10}, {9, 10}, {8, 9}};
  for (int x = 14; x < 17; ++x) {
    for (int y = 2; y < 5; ++y) keepEmpty.emplace_back(x, y);
  }
  fillEmptyWithBlockers(keepEmpty);
  const auto candidates = rootCandidates();
  ASSERT_EQ(candidates.size(), 10u);
  ASSERT_EQ(candidates[0], std::pair(8, 10));
  lines.clear();
  EXPECT_EQ(decide().score, 999997);
  EXPECT_EQ(searchFields()[2], "W");
  EXPECT_LE(searchState.nodeCount, 2 + 9 * 12);
}

// With no candidate at all the driver answers with the first empty square, x outer.
TEST_F(TurnDriverTest, EmptyRootListAnswersTheFirstEmptySquare) {
  newBoard(15, 15);  // no stone: the scored area is empty
  Decision d = decide();
  EXPECT_EQ(searchFields(), (std::vector<std::string>{"6", "-2000000", "0M"}));
  EXPECT_EQ(d.move, std::pair(0, 0));
  EXPECT_EQ(d.score, -scoreInfinity);

  // Every empty square would lengthen one of our fives to six: each scores far below
  // -2000000 and none is kept. Rows alternate our fives and the opponent's.
  resetAll();
  lines.clear();
  newBoard(6, 5);
  for (int y = 0; y < 5; ++y) putLine(0, y, 1, 0, 5, y % 2 == 0 ? 1 : 2);
  putAll({{5, 1}, {5, 3}}, 3);
  d = decide();
  EXPECT_EQ(searchFields(), (std::vector<std::string>{"6", "-2000000", "0M"}));
  EXPECT_EQ(d.move, std::pair(5, 0));
}

}  // namespace
}  // namespace fivefold
