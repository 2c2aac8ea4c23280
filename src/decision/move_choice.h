// The engine's move for one turn: the opening rules first, then the turn driver.
#pragma once

#include "core/grid.h"

namespace fivefold {

Square chooseEngineMove();

}  // namespace fivefold
