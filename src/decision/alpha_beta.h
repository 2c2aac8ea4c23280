// Depth-limited negamax with an alpha-beta window; forced threats are settled at every
// node before any move is searched.
#pragma once

#include <cstdint>
#include <vector>

#include "core/grid.h"

namespace fivefold {

// The score of the position for player (1 or 2) to move. Returns 0 with the stop flag
// set when the search must stop (searchMustStop); callers discard that value.
// ply: distance from the root, which selects the node's working lists.
std::int32_t alphaBeta(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply = 1);

// The score of the same search and the line it expects from here: the best move of this node,
// then that of the node it leads to, and so on down to a leaf or to the square that decides
// a threat. Where the score is exact the line is the principal variation; where it is a
// bound, the line that proved the bound. The analysis's form of the search; the plain one
// pays nothing for it.
struct LineScore {
  std::int32_t score = 0;
  std::vector<Square> line;
};
LineScore alphaBetaLine(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply = 1);

}  // namespace fivefold
