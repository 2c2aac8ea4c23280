// The worker thread: computes the engine's move for each started turn, places it, writes
// the move line and signals that it is idle again.
#pragma once

#include "core/grid.h"

namespace fivefold {

using MoveDecider = Square (*)();

// The thread's body; never returns.
[[noreturn]] void runSearchWorker();

// Starts the worker thread once per process; later calls do nothing.
void startSearchWorker();

// One turn's work on the calling thread: decide, check, place, write the move line.
// Does not touch the events.
void computeTurn();

// Replaces the move decision (tests give the worker deciders with a known behaviour);
// nullptr restores the engine's own.
void setMoveDecider(MoveDecider decider);

}  // namespace fivefold
