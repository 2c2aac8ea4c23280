#include "eval/board_evaluation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

#include "board_setup.h"
#include "reference_board_value.h"

namespace fivefold {
namespace {

using testing::boardValueFromScratch;
using testing::freshBoard;
using testing::put;

// Evaluates a 15 x 15 board holding only the given stones, from a fresh evaluator.
struct Stone {
  int x, y;
  Cell value;
};
std::int32_t valueOf(std::initializer_list<Stone> stones, int player) {
  freshBoard(15, 15);
  for (const Stone& s : stones) put(s.x, s.y, s.value);
  return evaluateBoard(player);
}

TEST(EvaluateBoard, DocumentedValuesOn15x15) {
  EXPECT_EQ(valueOf({}, 1), 0);
  EXPECT_EQ(valueOf({}, 2), 0);
  EXPECT_EQ(valueOf({{7, 7, 1}}, 1), 76);
  EXPECT_EQ(valueOf({{7, 7, 1}}, 2), -76);
  EXPECT_EQ(valueOf({{7, 7, 2}}, 1), -76);
  EXPECT_EQ(valueOf({{7, 7, 3}}, 1), 0);
  EXPECT_EQ(valueOf({{0, 0, 1}}, 1), 3);
  EXPECT_EQ(valueOf({{7, 7, 1}, {7, 8, 1}}, 1), 258);
  EXPECT_EQ(valueOf({{7, 7, 1}, {7, 8, 2}}, 1), 0);
  EXPECT_EQ(valueOf({{7, 3, 1}, {7, 4, 1}, {7, 5, 1}, {7, 6, 1}}, 1), 802);

  const auto five = {Stone{7, 3, 1}, Stone{7, 4, 1}, Stone{7, 5, 1}, Stone{7, 6, 1},
                     Stone{7, 7, 1}};
  EXPECT_EQ(valueOf(five, 1), 1000000);
  EXPECT_EQ(boardEvaluatorTotal(), 19000283);
  EXPECT_EQ(valueOf(five, 2), -1000000);
  EXPECT_EQ(valueOf({{7, 2, 1}, {7, 3, 1}, {7, 4, 1}, {7, 5, 1}, {7, 6, 1}, {7, 7, 1}}, 1), 330);
  // An opponent five is decided the other way.
  EXPECT_EQ(valueOf({{3, 3, 2}, {4, 4, 2}, {5, 5, 2}, {6, 6, 2}, {7, 7, 2}}, 1), -1000000);
  EXPECT_EQ(evaluateBoard(2), 1000000);
}

TEST(EvaluateBoard, RepeatedCallsAndLiftedStonesRestoreTheTotal) {
  freshBoard(15, 15);
  put(7, 7, 1);
  put(8, 8, 2);
  put(6, 9, 1);
  const std::int32_t first = evaluateBoard(1);
  EXPECT_EQ(evaluateBoard(1), first);
  put(7, 8, 2);
  const std::int32_t trial = evaluateBoard(1);
  EXPECT_NE(trial, first);
  put(7, 8, 0);
  EXPECT_EQ(evaluateBoard(1), first);
  EXPECT_EQ(boardEvaluatorTotal(), boardValueFromScratch());
}

TEST(EvaluateBoard, ANewGameStartsFromAnEmptySnapshot) {
  freshBoard(15, 15);
  put(7, 7, 1);
  put(7, 8, 2);
  evaluateBoard(1);
  // A new game: the grid is cleared and a different position set up.
  clearGrid();
  put(3, 3, 2);
  EXPECT_EQ(evaluateBoard(1), boardValueFromScratch());
  EXPECT_EQ(boardEvaluatorTotal(), boardValueFromScratch());
}

TEST(EvaluateBoard, IncrementalTotalsMatchFromScratchOverRandomSteps) {
  std::mt19937 random(77);
  for (const auto& size : testing::testSizes) {
    freshBoard(size[0], size[1]);
    // Each size under another rule of the game.
    const testing::TestRule rule =
        testing::testRules[(&size - testing::testSizes) % std::size(testing::testRules)];
    setGameRule(rule.rule, rule.blackSide);
    SCOPED_TRACE(::testing::Message() << ruleName(rule.rule) << " black " << rule.blackSide);
    boardTotal();                         // totals come from the evaluator under the game's rule
    testing::scatterStones(random, 0.2);  // also beyond the playing area, never read
    std::uniform_int_distribution<int> pickX(0, size[0] - 1), pickY(0, size[1] - 1);
    std::uniform_int_distribution<int> pickStep(0, 9), pickCell(0, 3);
    for (int step = 0; step < 600; ++step) {
      const int action = pickStep(random);
      const int x = pickX(random), y = pickY(random);
      if (action < 4) {
        // The total after one change, scored from the total before it.
        const Cell value = cellAt(x, y) == 0 ? pickCell(random) : cellAt(x, y);
        const std::int64_t after = totalAfterChange(boardValueFromScratch(), x, y, value);
        put(x, y, value);
        ASSERT_EQ(after, boardValueFromScratch()) << "step " << step;
      } else if (action < 7) {
        put(x, y, 0);
      } else {
        const int sign = action % 2 == 0 ? 1 : -1;  // player 1, or player 2
        const std::int32_t value = evaluateBoard(sign == 1 ? 1 : 2);
        const std::int64_t expected = boardValueFromScratch();
        ASSERT_EQ(boardEvaluatorTotal(), expected) << "step " << step;
        const std::int64_t clamped = std::clamp<std::int64_t>(expected, -900001, 900001);
        const std::int64_t decided = clamped == 900001    ? 1000000
                                     : clamped == -900001 ? -1000000
                                                          : clamped;
        ASSERT_EQ(value, sign * decided);
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
