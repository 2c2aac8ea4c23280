// Every search test starts from the start-up state of the game and the search clock, with
// the MESSAGE lines captured.
#pragma once

#include <string>
#include <vector>

#include "board_setup.h"
#include "core/output.h"
#include "decision/search_clock.h"

namespace fivefold {

using testing::boardCopy;
using testing::fillEmptyWithBlockers;
using testing::put;
using testing::putAll;
using testing::putLine;
using testing::restartIncrementalState;


class SearchTest : public testing::BoardTest {
 protected:
  void SetUp() override {
    resetAll();
    setLineCapture(&lines);
  }
  void TearDown() override {
    setLineCapture(nullptr);
    resetAll();
  }

  static void resetAll() {
    resetGameState();
    resetSearchState();
  }

  static void newBoard(int width, int height) {
    gameState.width = width;
    gameState.height = height;
  }
  // A search call as the turn driver makes it: the turn's clock and node count start now.
  static void startTurnClock() {
    searchState.nodeCount = 0;
    searchState.turnStartTick = tickCount();
  }

  std::vector<std::string> lines;
};

}  // namespace fivefold
