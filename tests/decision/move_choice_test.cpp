#include "decision/move_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/output.h"
#include "decision/decision_state.h"
#include "opening_board.h"

namespace fivefold {
namespace {

using MoveChoiceTest = OpeningBoardTest;

TEST_F(MoveChoiceTest, OpeningRulesAnswerFirst) {
  newGame(15, 15);
  std::int32_t x = -1;
  std::int32_t y = -1;
  chooseEngineMove(x, y);
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 7);
}

TEST_F(MoveChoiceTest, DeclinedOpeningFallsThroughToTheDecider) {
  newGame(15, 15);
  resetDecisionState();     // the threat finder's list order depends on what it saw before
  placeWinningStone(7, 7);  // the centre is taken: the opening rule declines
  for (int x = 2; x <= 5; ++x) placeOwnStone(x, 2);
  gameState.moveNumber = 1;
  std::vector<std::string> lines;
  setLineCapture(&lines);
  std::int32_t x = -1;
  std::int32_t y = -1;
  chooseEngineMove(x, y);
  setLineCapture(nullptr);
  // The turn driver completes the open four on the first square its threat finder lists.
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: M4", "MESSAGE Thx"}));
}

}  // namespace
}  // namespace fivefold
