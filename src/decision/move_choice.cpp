#include "decision/move_choice.h"

#include "core/game_state.h"
#include "decision/opening_moves.h"
#include "decision/turn_driver.h"

namespace fivefold {

Square chooseEngineMove() {
  // The analysis searches every position with a stone on it: the opening rules would
  // answer without a score.
  const bool analysed = bestCount() > 0 && gameState.moveNumber > 1;
  if (!analysed) {
    if (const std::optional<Square> opening = chooseOpeningMove()) return *opening;
  }
  return decideMove().move;
}

}  // namespace fivefold
