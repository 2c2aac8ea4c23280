// Fixed rules for the engine's move while at most two stones have been placed, so that
// the first moves of a game cost no search.
#pragma once

#include <cstdint>

namespace fivefold {

// Returns 1 with the move in x, y; returns 0 (x, y untouched) when no rule applies or the
// rule's square is off the board or taken, and the turn driver decides.
int chooseOpeningMove(std::int32_t& x, std::int32_t& y);

}  // namespace fivefold
