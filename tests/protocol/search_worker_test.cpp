#include "protocol/search_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/game_state.h"
#include "core/output.h"
#include "protocol/handoff.h"

namespace fivefold {
namespace {

using namespace std::chrono_literals;

// Runs until the command loop asks it to stop, then answers 4,5.
Square deciderUntilStopped() {
  while (!stopRequested()) std::this_thread::sleep_for(1ms);
  return {4, 5};
}

class SearchWorkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetGameState();
    resetHandoff();
    setPlayingSize(15, 15);
    setLineCapture(&lines);
  }
  void TearDown() override {
    setLineCapture(nullptr);
    setMoveDecider(nullptr);
  }
  std::vector<std::string> lines;
};

TEST_F(SearchWorkerTest, StopRequestEndsTheTurnWithItsMoveBeforeTheWaitReturns) {
  setMoveDecider(deciderUntilStopped);
  startSearchWorker();
  startTurn();
  std::this_thread::sleep_for(30ms);
  {
    // Still computing: the worker is not idle.
    std::lock_guard lock(handoff.workerIdle.mutex);
    EXPECT_FALSE(handoff.workerIdle.signalled);
  }
  stopSearchAndWait();
  // The move was placed and written before the worker became idle.
  EXPECT_EQ(std::vector<std::string>{"4,5"}, lines);
  EXPECT_EQ(1, cellAt(4, 5));
  EXPECT_EQ(2, gameState.moveNumber);
  // A second turn works the same way (the auto-reset start event was consumed once).
  startTurn();
  stopSearchAndWait();
  EXPECT_EQ((std::vector<std::string>{"4,5", "ERROR my move [4,5]", "4,5"}), lines);
  EXPECT_EQ(2, gameState.moveNumber);
}

TEST_F(SearchWorkerTest, OccupiedOrOffBoardAnswerIsReportedAndNotPlaced) {
  setCell(2, 3, 2);
  setMoveDecider([] { return Square{2, 3}; });  // occupied
  computeTurn();
  setMoveDecider([] { return Square{15, 0}; });  // off the board
  computeTurn();
  EXPECT_EQ(
      (std::vector<std::string>{"ERROR my move [2,3]", "2,3", "ERROR my move [15,0]", "15,0"}),
      lines);
  EXPECT_EQ(2, cellAt(2, 3));
  EXPECT_EQ(1, gameState.moveNumber);
}

}  // namespace
}  // namespace fivefold
