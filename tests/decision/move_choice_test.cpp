#include "decision/move_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "opening_board.h"
#include "protocol/output.h"

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
  gameState.timeoutTurn.store(150);
  std::vector<std::string> lines;
  setLineCapture(&lines);
  std::int32_t x = -1;
  std::int32_t y = -1;
  chooseEngineMove(x, y);
  setLineCapture(nullptr);
  // The turn driver searched and reported; its move is a free square.
  ASSERT_EQ(1u, lines.size());
  EXPECT_EQ(0u, lines[0].rfind("MESSAGE AB: D:", 0)) << lines[0];
  ASSERT_TRUE(isOnBoard(x, y));
  EXPECT_EQ(0, cellAt(x, y));
}

}  // namespace
}  // namespace fivefold
