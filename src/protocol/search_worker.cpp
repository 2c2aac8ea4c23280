#include "protocol/search_worker.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "core/game_state.h"
#include "core/output.h"
#include "decision/move_choice.h"
#include "protocol/handoff.h"

namespace fivefold {

namespace {
std::atomic<MoveDecider> deciderOverride{nullptr};
std::once_flag workerStarted;
}  // namespace

void setMoveDecider(MoveDecider decider) {
  deciderOverride.store(decider);
}

void computeTurn() {
  takeUpAskedRule();
  const MoveDecider decider = deciderOverride.load();
  const Square move = decider != nullptr ? decider() : chooseEngineMove();
  if (isOnBoard(move.x, move.y) && cellAt(move.x, move.y) == 0) {
    placeOwnStone(move.x, move.y);
  } else {
    printLine("ERROR my move [%d,%d]", move.x, move.y);
  }
  printLine("%d,%d", move.x, move.y);
}

void runSearchWorker() {
  for (;;) {
    waitEvent(handoff.searchStart);
    computeTurn();
    setEvent(handoff.workerIdle);
  }
}

void startSearchWorker() {
  std::call_once(workerStarted, [] { std::thread(runSearchWorker).detach(); });
}

}  // namespace fivefold
