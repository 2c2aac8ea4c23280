#include "decision/move_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/output.h"
#include "opening_board.h"

namespace fivefold {
namespace {

using MoveChoiceTest = OpeningBoardTest;

TEST_F(MoveChoiceTest, OpeningRulesAnswerFirst) {
  newGame(15, 15);
  EXPECT_EQ(chooseEngineMove(), (Square{7, 7}));
}

TEST_F(MoveChoiceTest, DeclinedOpeningFallsThroughToTheDecider) {
  newGame(15, 15);
  placeWinningStone(7, 7);  // the centre is taken: the opening rule declines
  for (int x = 2; x <= 5; ++x) placeOwnStone(x, 2);
  gameState.moveNumber = 1;
  std::vector<std::string> lines;
  setLineCapture(&lines);
  const Square move = chooseEngineMove();
  setLineCapture(nullptr);
  // The turn driver completes the open four on the first square its threat finder lists.
  EXPECT_EQ(move, (Square{1, 2}));
  EXPECT_EQ(lines, (std::vector<std::string>{"MESSAGE THR: M4", "MESSAGE Thx"}));
}

}  // namespace
}  // namespace fivefold
