#include "decision/move_choice.h"

#include "protocol/game_state.h"

namespace fivefold {

// Until the move decision exists: the first empty square of the playing area, x outer,
// y inner.
void chooseEngineMove(std::int32_t& x, std::int32_t& y) {
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

}  // namespace fivefold
