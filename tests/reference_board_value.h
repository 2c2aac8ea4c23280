// The board value summed over every window straight from the grid, without the evaluator's
// incremental state: what the evaluator and the search's static values are checked against.
#pragma once

#include <cstdint>

#include "core/game_state.h"
#include "eval/line_windows.h"

namespace fivefold::testing {

// The value of the live board from the engine's side, each side's fives winning by the game's
// rule.
inline std::int64_t boardValueFromScratch() {
  std::int64_t total = 0;
  for (int k = 0; k < 4; ++k) {
    // Key squares may lie one step outside the playing area.
    for (int kx = -1; kx <= gameState.width; ++kx) {
      for (int ky = -1; ky <= gameState.height; ++ky) {
        int digits[windowSquares] = {};
        bool inside = true;
        for (int j = 0; j < windowSquares; ++j) {
          const int x = kx + j * directionDx[k];
          const int y = ky + j * directionDy[k];
          if (isOnBoard(x, y)) {
            digits[j] = cellDigits[1][cellAt(x, y)];
          } else if (j >= 1 && j <= 5) {
            inside = false;
          }
        }
        if (inside) {
          total +=
              windowValue(digits, countWeights, gameState.fiveRules[1], gameState.fiveRules[2]);
        }
      }
    }
  }
  return total;
}

}  // namespace fivefold::testing
