#include "decision/move_choice.h"

#include "decision/opening_moves.h"
#include "protocol/game_state.h"

namespace fivefold {

namespace {

// Until the turn driver exists: the first empty square of the playing area, x outer,
// y inner.
void chooseFallbackMove(std::int32_t& x, std::int32_t& y) {
  for (std::int32_t i = 0; i < gameState.width; ++i) {
    for (std::int32_t j = 0; j < gameState.height; ++j) {
      if (cellAt(i, j) == 0) {
        x = i;
        y = j;
        return;
      }
    }
  }
}

}  // namespace

void chooseEngineMove(std::int32_t& x, std::int32_t& y) {
  if (chooseOpeningMove(x, y) != 0) return;
  chooseFallbackMove(x, y);
}

}  // namespace fivefold
