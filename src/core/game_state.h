// The one process-wide record of the game: the grid, the playing size, the move number,
// the last opponent move, the manager's time settings and search limits, and the stop flag
// of the search. (The events that pass the record between the command loop and the search
// worker belong to the protocol's hand-off.)
#pragma once

#include <atomic>
#include <cstdint>

namespace fivefold {

// 0 empty, 1 own stone, 2 opponent stone, 3 winning-line stone.
using Cell = std::int32_t;

constexpr int boardStride = 20;  // the grid is always 20 x 20, indexed x * 20 + y
constexpr int boardCells = boardStride * boardStride;
constexpr int minBoardSize = 5;
constexpr int maxBoardSize = 20;

constexpr std::int32_t defaultTimeoutTurn = 10000;
constexpr std::int32_t defaultTimeLeft = 1000000000;

struct GameState {
  Cell board[boardCells] = {};
  std::int32_t width = 0;  // 0: no board set up yet
  std::int32_t height = 0;
  std::int32_t moveNumber = 1;
  std::int32_t lastOpponentX = 0;
  std::int32_t lastOpponentY = 0;
  // Written by the command loop while the worker reads them: single indivisible values.
  std::atomic<std::int32_t> timeoutTurn{defaultTimeoutTurn};
  std::atomic<std::int32_t> timeLeft{defaultTimeLeft};
  std::atomic<std::int32_t> stopSearch{0};
  // Search limits from INFO max_depth and max_node; 0: none. Like the time settings they
  // hold until changed, across games.
  std::atomic<std::int32_t> depthLimit{0};
  std::atomic<std::int32_t> nodeLimit{0};
  char dataFolder[256] = {};
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
inline Cell& cellRef(int x, int y) {
  return gameState.board[x * boardStride + y];
}

void placeOwnStone(int x, int y);
void placeOpponentStone(int x, int y);
void placeWinningStone(int x, int y);
void removeStone(int x, int y);
void startGame();
void setUpDefaultBoard();
void clearGrid();

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

// Puts every field back to its start-up value (tests, fuzzing and the bench).
// Must not be called while a turn is running.
void resetGameState();

}  // namespace fivefold
