// Fixed rules for the engine's move while at most two stones have been placed, so that
// the first moves of a game cost no search.
#pragma once

#include <optional>

#include "core/grid.h"

namespace fivefold {

// The rule's move; none when no rule applies or the rule's square is off the board or taken,
// and the turn driver decides.
std::optional<Square> chooseOpeningMove();

}  // namespace fivefold
