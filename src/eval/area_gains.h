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
// gains[x * 20 + y] to what pointGain (withoutValues = count table) or pointGainRaised
// (raised table) would give with the player's stone on it. Other entries are left as
// they were.
void gainsOverArea(const AreaBox& box, int player, const bool* wanted,
                   const std::int32_t* withoutValues, std::int32_t* gains);

}  // namespace fivefold
