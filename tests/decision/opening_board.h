// Every opening test starts from the start-up state of the game and of the generator.
#pragma once

#include "board_setup.h"
#include "decision/opening_random.h"

namespace fivefold {

class OpeningBoardTest : public testing::BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    resetOpeningRandom();
  }
  void TearDown() override {
    BoardTest::TearDown();
    resetOpeningRandom();
  }
  static void newGame(int width, int height) {
    gameState.width = width;
    gameState.height = height;
    startGame();
  }
};

}  // namespace fivefold
