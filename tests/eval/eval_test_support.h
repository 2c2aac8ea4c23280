// Board set-up shared by the evaluation tests.
#pragma once

#include <algorithm>
#include <iterator>
#include <random>
#include <vector>

#include "core/game_state.h"
#include "decision/decision_state.h"

namespace fivefold::testing {

// A fresh process state with an empty playing area of the given size.
inline void freshBoard(int width, int height) {
  resetGameState();
  resetDecisionState();
  gameState.width = width;
  gameState.height = height;
}

inline void put(int x, int y, Cell value) {
  cellRef(x, y) = value;
}

inline std::vector<Cell> boardCopy() {
  return {std::begin(gameState.board), std::end(gameState.board)};
}

// Fills the whole 20 x 20 grid, the part outside the playing area too (stones left over from
// a larger earlier game), with own, opponent and winning-line stones at the given density.
inline void scatterStones(std::mt19937& random, double density) {
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  std::discrete_distribution<int> colour({45, 45, 10});
  for (Cell& cell : gameState.board) cell = chance(random) < density ? colour(random) + 1 : 0;
}

// Sizes from 5 x 5 to 20 x 20, squares and rectangles.
inline const int testSizes[][2] = {{5, 5}, {7, 12}, {15, 15}, {20, 20}, {20, 9}, {11, 6}};

}  // namespace fivefold::testing
