// Depth-limited negamax with an alpha-beta window; forced threats are settled at every
// node before any move is searched.
#pragma once

#include <cstdint>

namespace fivefold {

// The score of the position for player (1 or 2) to move. Returns 0 with the stop flag
// set when the search must stop (searchMustStop); callers discard that value.
// ply: distance from the root, which selects the node's working lists.
std::int32_t alphaBeta(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply = 1);

}  // namespace fivefold
