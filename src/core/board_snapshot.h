// Incremental parts of the move decision keep their own copy of the board and catch up
// with the live board by comparing the two.
#pragma once

#include <cstring>

#include "core/game_state.h"

namespace fivefold {

// Brings snapshot (a 20 x 20 grid laid out like the board) up to the live board on the
// playing area. For each square that differs, in x-then-y order, calls
// onChange(x, y, oldCell, newCell) and then copies the square, so the callback sees the
// snapshot with the earlier changes of this call already in it. Between two calls only a
// few squares usually differ, so whole columns are compared first.
template <typename OnChange>
void absorbBoardChanges(Cell* snapshot, OnChange&& onChange) {
  const int width = gameState.width;
  const int height = gameState.height;
  for (int x = 0; x < width; ++x) {
    const Cell* live = gameState.board + x * boardStride;
    Cell* kept = snapshot + x * boardStride;
    if (std::memcmp(kept, live, sizeof(Cell) * height) == 0) continue;
    for (int y = 0; y < height; ++y) {
      if (kept[y] == live[y]) continue;
      onChange(x, y, kept[y], live[y]);
      kept[y] = live[y];
    }
  }
}

}  // namespace fivefold
