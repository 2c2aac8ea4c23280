// The hand-off of the board between the command loop and the search worker.
#pragma once

namespace fivefold {

// Asks a running turn to end and waits until the worker is idle: the command loop owns
// the board afterwards, and any move line of that turn has been written.
void stopSearchAndWait();

// Clears the stop flag, marks the worker busy and wakes it, in this order, so that a wait
// for the worker that begins after this call cannot return before the turn has ended.
void startTurn();

}  // namespace fivefold
