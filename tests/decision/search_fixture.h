// Every search test starts from the start-up state of the game, the search clock and the
// decision's incremental state, with the MESSAGE lines captured.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "core/output.h"
#include "decision/decision_state.h"
#include "decision/search_clock.h"

namespace fivefold {

class SearchTest : public ::testing::Test {
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
    resetDecisionState();
  }

  static void newBoard(int width, int height) {
    gameState.width = width;
    gameState.height = height;
  }
  static void put(int x, int y, Cell value) { cellRef(x, y) = value; }
  static void putAll(std::initializer_list<std::pair<int, int>> squares, Cell value) {
    for (const auto& [x, y] : squares) put(x, y, value);
  }
  // Stones along direction (dx, dy) from (x, y).
  static void putLine(int x, int y, int dx, int dy, int count, Cell value) {
    for (int i = 0; i < count; ++i) put(x + i * dx, y + i * dy, value);
  }
  // Every square of the playing area that is still empty becomes a winning-line stone,
  // which blocks every line and counts for nobody.
  // Squares listed in keepEmpty stay empty.
  static void fillEmptyWithBlockers(const std::vector<std::pair<int, int>>& keepEmpty = {}) {
    for (int x = 0; x < gameState.width; ++x) {
      for (int y = 0; y < gameState.height; ++y) {
        const bool kept =
            std::find(keepEmpty.begin(), keepEmpty.end(), std::pair{x, y}) != keepEmpty.end();
        if (cellAt(x, y) == 0 && !kept) put(x, y, 3);
      }
    }
  }
  static std::vector<Cell> boardCopy() {
    return {std::begin(gameState.board), std::end(gameState.board)};
  }
  // A search call as the turn driver makes it: the turn's clock and node count start now.
  static void startTurnClock() {
    searchState.nodeCount = 0;
    searchState.turnStartTick = tickCount();
  }

  std::vector<std::string> lines;
};

}  // namespace fivefold
