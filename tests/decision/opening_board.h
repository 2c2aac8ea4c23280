// Every opening test starts from the start-up state of the game and of the generator.
#pragma once

#include <gtest/gtest.h>

#include "core/game_state.h"
#include "decision/opening_random.h"

namespace fivefold {

class OpeningBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetGameState();
    resetOpeningRandom();
  }
  void TearDown() override {
    resetGameState();
    resetOpeningRandom();
  }
  static void newGame(int width, int height) {
    gameState.width = width;
    gameState.height = height;
    startGame();
  }
};

}  // namespace fivefold
