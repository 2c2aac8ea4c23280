// The MESSAGE lines that tell the manager how the engine decided its move.
#pragma once

#include "decision/turn_driver.h"

namespace fivefold {

// The threat's lines, or the search's one line (none for the stops that have no line).
void reportTurn(const TurnDecision& turn);

}  // namespace fivefold
