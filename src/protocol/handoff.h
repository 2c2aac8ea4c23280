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

// Where a started turn runs: the native brain hands it to the search worker thread; the
// WebAssembly engine, whose Web Worker offers no second thread, runs it inside the call
// that starts it, so the command that needs a move returns with the move line written.
enum class TurnRunner { WorkerThread, Inline };

// Chosen once by the program before the first command; the default is WorkerThread.
void setTurnRunner(TurnRunner runner);

// WorkerThread: clears the stop flag, marks the worker busy and wakes it, in this order, so
// that a wait for the worker that begins after this call cannot return before the turn has
// ended. Inline: clears the stop flag and computes the turn; the worker stays idle.
void startTurn();

}  // namespace fivefold
