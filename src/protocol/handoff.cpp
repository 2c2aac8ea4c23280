#include "protocol/handoff.h"

#include "core/game_state.h"

namespace fivefold {

Handoff handoff;

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
  resetEvent(handoff.workerIdle);
  setEvent(handoff.searchStart);
}

}  // namespace fivefold
