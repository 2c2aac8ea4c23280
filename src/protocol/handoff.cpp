#include "protocol/handoff.h"

#include "core/game_state.h"
#include "protocol/search_worker.h"

namespace fivefold {

Handoff handoff;

namespace {
TurnRunner turnRunner = TurnRunner::WorkerThread;
}  // namespace

void setTurnRunner(TurnRunner runner) {
  turnRunner = runner;
}

void resetHandoff() {
  initEvent(handoff.searchStart, /*manualReset=*/false, /*signalled=*/false);
  initEvent(handoff.workerIdle, /*manualReset=*/true, /*signalled=*/true);
}

void stopSearchAndWait() {
  setStopSearch(1);
  waitEvent(handoff.workerIdle);
}

void startTurn() {
  setStopSearch(0);
  if (turnRunner == TurnRunner::Inline) {
    computeTurn();
    return;
  }
  resetEvent(handoff.workerIdle);
  setEvent(handoff.searchStart);
}

}  // namespace fivefold
