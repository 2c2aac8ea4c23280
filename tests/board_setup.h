// Setting up positions for the engine's tests: the start-up state of the game, a playing
// size, and stones written through the grid's one write function (so the change journal
// and the line words follow, as they do in play).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <random>
#include <utility>
#include <vector>

#include "core/change_journal.h"
#include "core/game_state.h"

namespace fivefold::testing {

// The start-up state of the game with an empty playing area of the given size.
inline void freshBoard(int width, int height) {
  resetGameState();
  setPlayingSize(width, height);
}

inline void put(int x, int y, Cell value) {
  setCell(x, y, value);
}
inline void putAll(std::initializer_list<std::pair<int, int>> squares, Cell value) {
  for (const auto& [x, y] : squares) put(x, y, value);
}
// `count` stones along the step (dx, dy) from (x, y).
inline void putLine(int x, int y, int dx, int dy, int count, Cell value) {
  for (int i = 0; i < count; ++i) put(x + i * dx, y + i * dy, value);
}

inline std::vector<Cell> boardCopy() {
  return {std::begin(gameState.board), std::end(gameState.board)};
}

// Every square of the playing area that is still empty, except those in keepEmpty,
// becomes a winning-line stone, which blocks every line and counts for nobody.
inline void fillEmptyWithBlockers(const std::vector<std::pair<int, int>>& keepEmpty = {}) {
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) {
      const bool kept =
          std::find(keepEmpty.begin(), keepEmpty.end(), std::pair{x, y}) != keepEmpty.end();
      if (cellAt(x, y) == 0 && !kept) put(x, y, 3);
    }
  }
}

// Fills the whole 20 x 20 grid, the part outside the playing area too (stones left over from
// a larger earlier game), with own, opponent and winning-line stones at the given density.
inline void scatterStones(std::mt19937& random, double density) {
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  std::discrete_distribution<int> colour({45, 45, 10});
  for (int index = 0; index < boardCells; ++index) {
    put(index / boardStride, index % boardStride,
        chance(random) < density ? colour(random) + 1 : 0);
  }
}

// Sends every incremental reader of the grid (the threat finder's caches, the board
// evaluator, the kept area gains) back to its start-up state, as a new game does, without
// changing the grid.
inline void restartIncrementalState() {
  restartReaders();
}

// The rules of the game a test runs under, each with the side whose stones are black (it
// matters only under renju).
struct TestRule {
  GameRule rule;
  int blackSide;
};
inline const TestRule testRules[] = {{GameRule::ExactFive, 1},
                                     {GameRule::Freestyle, 1},
                                     {GameRule::Caro, 1},
                                     {GameRule::Renju, 1},
                                     {GameRule::Renju, 2}};

// Sizes from 5 x 5 to 20 x 20, squares and rectangles.
inline const int testSizes[][2] = {{5, 5}, {7, 12}, {15, 15}, {20, 20}, {20, 9}, {11, 6}};

// The start-up state of the game before and after every test.
class BoardTest : public ::testing::Test {
 protected:
  void SetUp() override { resetGameState(); }
  void TearDown() override { resetGameState(); }
};

}  // namespace fivefold::testing
