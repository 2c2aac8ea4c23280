// The static value of the whole position for the side to move: the sum over every line
// window of its value for the engine minus its value for the opponent, kept incrementally
// against a snapshot of the board as it was at the previous call.
#pragma once

#include <cstdint>

#include "core/change_journal.h"
#include "core/game_state.h"
#include "core/line_words.h"

namespace fivefold {

struct BoardEvaluatorState {
  JournalCursor cursor;
  // The line words of the board at the end of the previous call: a change is scored on
  // them as they stand with the earlier changes of the same call written in.
  LineWord snapshotLines[lineWordCount] = {};
  // Board value of the snapshot from the engine's side. 64 bits: a position crowded with
  // fives (possible through BOARD) can pass the 32-bit range.
  std::int64_t evalTotal = 0;
};

extern BoardEvaluatorState boardEvaluator;

// Catches up with every square of the playing area changed since the previous call and
// returns the board value for player (1 the engine, anything else the opponent); beyond
// +-scoreDecided the position is decided and the result is +-scoreBoardDecided.
std::int32_t evaluateBoard(int player);

// The two halves of evaluateBoard: the board's total from the engine's side, caught up with
// the live board, and the value for player of a board with a given total.
std::int64_t boardTotal();
std::int32_t boardValue(std::int64_t total, int player);

// The total of the live board with square (x, y) changed to `value`, from the live board's
// total (one that boardTotal gave under the game's rule): the change scored as boardTotal
// scores it.
std::int64_t totalAfterChange(std::int64_t total, int x, int y, Cell value);

inline std::int64_t boardEvaluatorTotal() {
  return boardEvaluator.evalTotal;
}

}  // namespace fivefold
