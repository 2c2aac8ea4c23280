#include "decision/move_choice.h"

#include "decision/opening_moves.h"
#include "decision/turn_driver.h"

namespace fivefold {

Square chooseEngineMove() {
  if (const std::optional<Square> opening = chooseOpeningMove()) return *opening;
  return decideMove().move;
}

}  // namespace fivefold
