// The one process-wide record of the game: the grid, the playing size, the move number,
// the last opponent move, the manager's time settings and search limits, and the stop flag
// of the search. (The events that pass the record between the command loop and the search
// worker belong to the protocol's hand-off.)
#pragma once

#include <atomic>
#include <cstdint>

#include "core/change_journal.h"
#include "core/game_rule.h"
#include "core/grid.h"
#include "core/line_words.h"

namespace fivefold {

constexpr std::int32_t defaultTimeoutTurn = 10000;
constexpr std::int32_t defaultTimeLeft = 1000000000;

struct GameState {
  Cell board[boardCells] = {};
  std::int32_t width = 0;  // 0: no board set up yet
  std::int32_t height = 0;
  std::int32_t moveNumber = 1;
  std::int32_t lastOpponentX = 0;
  std::int32_t lastOpponentY = 0;
  // The side of the game's first stone (1 or 2): black's. 0 before the first.
  std::int32_t firstStoneSide = 0;
  // Written by the command loop while the worker reads them: single indivisible values.
  std::atomic<std::int32_t> timeoutTurn{defaultTimeoutTurn};
  std::atomic<std::int32_t> timeLeft{defaultTimeLeft};
  std::atomic<std::int32_t> stopSearch{0};
  // Search limits from INFO max_depth and max_node; 0: none. Like the time settings they
  // hold until changed, across games.
  std::atomic<std::int32_t> depthLimit{0};
  std::atomic<std::int32_t> nodeLimit{0};
  // YXNBEST: how many of its root moves each turn searches exactly and reports with their
  // lines after every depth; 0: no report. Holds until changed, across games, like the
  // limits.
  std::atomic<std::int32_t> bestCount{0};
  // The rule INFO rule asked for; like the limits it holds until changed, across games. The
  // worker takes it up at the start of each turn (setGameRule), when it owns the grid.
  std::atomic<GameRule> ruleAsked{GameRule::ExactFive};
  char dataFolder[256] = {};
  // The rule of the game on the grid and the side whose stones are black (the side that
  // moved first; it matters only under renju, and is 1 under every other rule). Set only
  // through setGameRule.
  GameRule rule = GameRule::ExactFive;
  std::int32_t blackSide = 1;
  // How a line of each side wins, by Cell value (1 and 2; 0 and 3 are never asked).
  FiveRule fiveRules[4] = {};
};

extern GameState gameState;

inline bool isOnBoard(int x, int y) {
  return x >= 0 && x < gameState.width && y >= 0 && y < gameState.height;
}
// The side that is not player: 2 for 1, and 1 otherwise.
inline int otherSide(int player) {
  return player == 1 ? 2 : 1;
}

inline Cell cellAt(int x, int y) {
  return gameState.board[x * boardStride + y];
}

// Every write to the grid: the cell, the words of its lines and the journal change
// together.
inline void setCell(int x, int y, Cell value) {
  const int index = x * boardStride + y;
  Cell& cell = gameState.board[index];
  recordWrite(index, cell, value);
  updateLineWords(lineWords, index, cell, value);
  cell = value;
}

void placeOwnStone(int x, int y);
void placeOpponentStone(int x, int y);
void placeWinningStone(int x, int y);
void removeStone(int x, int y);
void startGame();
// The playing area: width x height squares from (0, 0); 0 x 0 before any board. A new size
// changes which squares count, so every incremental reader of the grid starts afresh.
void setPlayingSize(int width, int height);
void setUpDefaultBoard();
// Empties the whole grid; the journal starts a new epoch.
void clearGrid();

// Makes `rule` the rule of the game, with black's stones of Cell value blackSide. A change
// sends every incremental reader of the grid back to its start, where it takes up the new
// rule's tables.
void setGameRule(GameRule rule, int blackSide);
// The rule of the game for the engine to move now: the rule asked for, and black the side
// to move when the stones on the board are even in number.
void takeUpAskedRule();
// The own and the opponent's stones on the playing area: [1] and [2] (winning-line stones in [3]).
struct StoneCounts {
  int of[4] = {};
};
StoneCounts countStones();

// Relaxed access to the shared 32-bit values.
inline bool stopRequested() {
  return gameState.stopSearch.load(std::memory_order_relaxed) != 0;
}
inline void setStopSearch(std::int32_t value) {
  gameState.stopSearch.store(value, std::memory_order_relaxed);
}

inline std::int32_t depthLimit() {
  return gameState.depthLimit.load(std::memory_order_relaxed);
}
inline std::int32_t nodeLimit() {
  return gameState.nodeLimit.load(std::memory_order_relaxed);
}
inline std::int32_t bestCount() {
  return gameState.bestCount.load(std::memory_order_relaxed);
}

// Puts every field back to its start-up value (tests, fuzzing and the bench).
// Must not be called while a turn is running.
void resetGameState();

}  // namespace fivefold
