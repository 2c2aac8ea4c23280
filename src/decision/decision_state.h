// The move decision keeps incremental state from call to call (the threat finder's
// caches, the board evaluator's snapshot, the kept area gains). When the grid is replaced as a
// whole, all of it goes back to its start-up state through this one entry point.
#pragma once

namespace fivefold {

void resetDecisionState();

}  // namespace fivefold
