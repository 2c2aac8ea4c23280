// The engine's move for one turn: the opening rules first, then the turn driver.
#pragma once

#include <cstdint>

namespace fivefold {

void chooseEngineMove(std::int32_t& x, std::int32_t& y);

}  // namespace fivefold
