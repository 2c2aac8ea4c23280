// How an incremental reader of the grid catches up with it through the change journal.
#pragma once

#include "core/change_journal.h"
#include "core/game_state.h"

namespace fivefold {

// Brings a reader up to the live grid. When the reader must start afresh (it has seen
// nothing yet, or the grid was cleared or the playing size changed since its previous
// call), calls restart(), in which the reader returns to its start-up state, and then
// reports every stone of the playing area as a change from empty. Otherwise reports every
// square of the playing area whose value differs from the one it held at the reader's
// previous call; a square written and restored since is not a change. Each report is
// onChange(x, y, before, after), in x-then-y order.
template <typename Restart, typename OnChange>
void catchUp(JournalCursor& cursor, Restart&& restart, OnChange&& onChange) {
  const int width = gameState.width;
  const int height = gameState.height;
  const Cell* board = gameState.board;
  if (cursor.epoch != changeJournal.epoch || cursor.width != width || cursor.height != height) {
    restart();
    cursor.epoch = changeJournal.epoch;
    cursor.width = width;
    cursor.height = height;
    cursor.position = changeJournal.size;
    for (int x = 0; x < width; ++x) {
      for (int y = 0; y < height; ++y) {
        if (const Cell cell = board[x * boardStride + y]; cell != 0) onChange(x, y, 0, cell);
      }
    }
    return;
  }
  if (cursor.position == changeJournal.size) return;
  const PendingSquares pending = takePendingSquares(cursor);
  for (int i = 0; i < pending.count; ++i) {
    const int index = pending.squares[i].index;
    const int x = index / boardStride;
    const int y = index % boardStride;
    const Cell before = pending.squares[i].before;
    const Cell after = board[index];
    if (x < width && y < height && before != after) onChange(x, y, before, after);
  }
}

}  // namespace fivefold
