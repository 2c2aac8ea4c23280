#include "decision/move_choice.h"

#include "decision/opening_moves.h"
#include "decision/turn_driver.h"

namespace fivefold {

void chooseEngineMove(std::int32_t& x, std::int32_t& y) {
  if (chooseOpeningMove(x, y) != 0) return;
  decideMove(x, y);
}

}  // namespace fivefold
