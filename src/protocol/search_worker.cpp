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
  std::int32_t x = 0;
  std::int32_t y = 0;
  if (MoveDecider decider = deciderOverride.load(); decider != nullptr) {
    decider(x, y);
  } else {
    chooseEngineMove(x, y);
  }
  if (isOnBoard(x, y) && cellAt(x, y) == 0) {
    placeOwnStone(x, y);
  } else {
    printLine("ERROR my move [%d,%d]", x, y);
  }
  printLine("%d,%d", x, y);
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
