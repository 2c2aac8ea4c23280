// The hand-off of the board between the command loop and the search worker.
#pragma once

#include "protocol/event.h"

namespace fivefold {

// The two events of the hand-off. They are never destroyed: the worker may still wait on
// one while the process exits, and destroying a condition variable that is waited on hangs.
struct Handoff {
  Event& searchStart = *new Event(/*manual=*/false, /*initiallySignalled=*/false);
  Event& workerIdle = *new Event(/*manual=*/true, /*initiallySignalled=*/true);
};

extern Handoff handoff;

// Both events back to their start-up state (tests and fuzzing; never while a turn runs).
void resetHandoff();

// Asks a running turn to end and waits until the worker is idle: the command loop owns
// the board afterwards, and any move line of that turn has been written.
void stopSearchAndWait();

// Clears the stop flag, marks the worker busy and wakes it, in this order, so that a wait
// for the worker that begins after this call cannot return before the turn has ended.
void startTurn();

}  // namespace fivefold
