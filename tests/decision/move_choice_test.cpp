#include "decision/move_choice.h"

#include <gtest/gtest.h>

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
  placeWinningStone(7, 7);  // the centre is taken: the opening rule declines
  placeOwnStone(0, 0);
  gameState.moveNumber = 1;
  std::int32_t x = -1;
  std::int32_t y = -1;
  chooseEngineMove(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 1);
}

}  // namespace
}  // namespace fivefold
