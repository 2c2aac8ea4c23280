#include "core/game_state.h"

#include <algorithm>
#include <iterator>

namespace fivefold {

GameState gameState;

void placeOwnStone(int x, int y) {
  gameState.moveNumber += 1;
  cellRef(x, y) = 1;
}

void placeOpponentStone(int x, int y) {
  gameState.moveNumber += 1;
  gameState.lastOpponentX = x;
  gameState.lastOpponentY = y;
  cellRef(x, y) = 2;
}

void placeWinningStone(int x, int y) {
  cellRef(x, y) = 3;
}

void removeStone(int x, int y) {
  cellRef(x, y) = 0;
}

void startGame() {
  gameState.moveNumber = 1;
}

void setUpDefaultBoard() {
  gameState.width = maxBoardSize;
  gameState.height = maxBoardSize;
  gameState.moveNumber = 1;
}

void clearGrid() {
  std::fill(std::begin(gameState.board), std::end(gameState.board), 0);
}

void resetGameState() {
  clearGrid();
  gameState.width = 0;
  gameState.height = 0;
  gameState.moveNumber = 1;
  gameState.lastOpponentX = 0;
  gameState.lastOpponentY = 0;
  gameState.timeoutTurn.store(defaultTimeoutTurn, std::memory_order_relaxed);
  gameState.timeLeft.store(defaultTimeLeft, std::memory_order_relaxed);
  setStopSearch(0);
  gameState.depthLimit.store(0, std::memory_order_relaxed);
  gameState.nodeLimit.store(0, std::memory_order_relaxed);
  gameState.dataFolder[0] = '\0';
}

}  // namespace fivefold
