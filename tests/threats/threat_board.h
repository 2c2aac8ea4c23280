// Test boards for the threat detection tests: every test starts from the start-up state
// of the game and of the finder.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "core/game_state.h"
#include "threats/threat_finder.h"

namespace fivefold {

class ThreatBoardTest : public ::testing::Test {
 protected:
  void SetUp() override { setBoard(20, 20); }
  void TearDown() override {
    resetThreatFinder();
    resetGameState();
  }

  static void setBoard(int width, int height) {
    resetGameState();
    resetThreatFinder();
    gameState.width = width;
    gameState.height = height;
  }
  static void put(int x, int y, Cell value) { cellRef(x, y) = value; }
  static void putRow(int fromX, int toX, int y, Cell value) {
    for (int x = fromX; x <= toX; ++x) put(x, y, value);
  }
};

}  // namespace fivefold
