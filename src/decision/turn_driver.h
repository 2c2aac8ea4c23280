// Decides the engine's move for one turn: at once when a threat forces it, otherwise by
// iterative deepening within the turn's time budget.
#pragma once

#include <cstdint>

namespace fivefold {

// Writes the move into x, y and returns its score for the engine. Leaves the board as it
// found it; reports how it decided in MESSAGE lines.
std::int32_t decideMove(std::int32_t& x, std::int32_t& y);

}  // namespace fivefold
