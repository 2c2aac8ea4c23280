// The point gains of many squares at once: every line through a rectangle is walked once
// and each window's pattern is shared by all the squares it holds, instead of being
// built again for each square.
#pragma once

#include <cstdint>

#include "protocol/game_state.h"

namespace fivefold {

struct AreaBox {
  int fromX, toX, fromY, toY;  // upper bounds exclusive
};

// For every square with wanted[x * 20 + y] set (inside box, on the board and empty), sets
// plainGains[x * 20 + y] to what pointGain and raisedGains[x * 20 + y] to what
// pointGainRaised would give with the player's stone on it. Both come from one sweep: the
// two differ only in the table of the value without the stone. Other entries are left as
// they were.
void gainsOverArea(const AreaBox& box, int player, const bool* wanted, std::int32_t* plainGains,
                   std::int32_t* raisedGains);

}  // namespace fivefold
