#include "core/game_state.h"

#include <algorithm>
#include <iterator>

namespace fivefold {

GameState gameState;

void placeOwnStone(int x, int y) {
  if (gameState.moveNumber == 1) gameState.firstStoneSide = 1;
  gameState.moveNumber += 1;
  setCell(x, y, 1);
}

void placeOpponentStone(int x, int y) {
  if (gameState.moveNumber == 1) gameState.firstStoneSide = 2;
  gameState.moveNumber += 1;
  gameState.lastOpponentX = x;
  gameState.lastOpponentY = y;
  setCell(x, y, 2);
}

void placeWinningStone(int x, int y) {
  setCell(x, y, 3);
}

void removeStone(int x, int y) {
  setCell(x, y, 0);
}

void setPlayingSize(int width, int height) {
  if (width == gameState.width && height == gameState.height) return;
  gameState.width = width;
  gameState.height = height;
  markPlayingArea(width, height);
  restartReaders();
}

void startGame() {
  gameState.moveNumber = 1;
}

void setUpDefaultBoard() {
  setPlayingSize(defaultBoardSize, defaultBoardSize);
  gameState.moveNumber = 1;
}

void clearGrid() {
  std::fill(std::begin(gameState.board), std::end(gameState.board), 0);
  clearLineWords();
  restartReaders();
}

void setGameRule(GameRule rule, int blackSide) {
  if (rule != GameRule::Renju) blackSide = 1;  // only renju tells the colours apart
  if (rule == gameState.rule && blackSide == gameState.blackSide) return;
  gameState.rule = rule;
  gameState.blackSide = blackSide;
  for (int side = 1; side <= 2; ++side) {
    gameState.fiveRules[side] = fiveRuleOf(rule, side == blackSide);
  }
  restartReaders();
}

StoneCounts countStones() {
  StoneCounts counts;
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) counts.of[cellAt(x, y)] += 1;
  }
  return counts;
}

void takeUpAskedRule() {
  const StoneCounts counts = countStones();
  const int stones = counts.of[1] + counts.of[2];
  setGameRule(gameState.ruleAsked.load(std::memory_order_relaxed), stones % 2 == 0 ? 1 : 2);
}

void resetGameState() {
  clearGrid();
  setPlayingSize(0, 0);
  gameState.moveNumber = 1;
  gameState.lastOpponentX = 0;
  gameState.lastOpponentY = 0;
  gameState.firstStoneSide = 0;
  gameState.timeoutTurn.store(defaultTimeoutTurn, std::memory_order_relaxed);
  gameState.timeLeft.store(defaultTimeLeft, std::memory_order_relaxed);
  setStopSearch(0);
  gameState.depthLimit.store(0, std::memory_order_relaxed);
  gameState.nodeLimit.store(0, std::memory_order_relaxed);
  gameState.bestCount.store(0, std::memory_order_relaxed);
  gameState.dataFolder[0] = '\0';
  gameState.ruleAsked.store(GameRule::ExactFive, std::memory_order_relaxed);
  setGameRule(GameRule::ExactFive, 1);
}

}  // namespace fivefold
