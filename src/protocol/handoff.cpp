#include "protocol/handoff.h"

#include "protocol/game_state.h"

namespace fivefold {

void stopSearchAndWait() {
  setStopSearch(1);
  waitEvent(gameState.workerIdle);
}

void startTurn() {
  setStopSearch(0);
  resetEvent(gameState.workerIdle);
  setEvent(gameState.searchStart);
}

}  // namespace fivefold
