// Whatever ends a decision (a threat, the clock, a stop from another thread), the board comes
// back as it was and the lines keep their formats; the longest forced chains run on a thread.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "decision/alpha_beta.h"
#include "decision/turn_driver.h"
#include "message_formats.h"
#include "search_fixture.h"

namespace fivefold {
namespace {

bool hasEmptySquare() {
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) {
      if (cellAt(x, y) == 0) return true;
    }
  }
  return false;
}

using SearchRobustnessTest = SearchTest;

TEST_F(SearchRobustnessTest, EveryDecisionLeavesTheBoardAsItFoundIt) {
  std::mt19937 random(7031);
  int searched = 0;  // rounds that reached the search phase
  for (int round = 0; round < 40; ++round) {
    resetAll();
    lines.clear();
    const int width = 7 + static_cast<int>(random() % 14);
    const int height = 7 + static_cast<int>(random() % 14);
    newBoard(width, height);
    const int stones = 3 + static_cast<int>(random() % 40);
    for (int i = 0; i < stones; ++i) {
      const Cell colour = random() % 16 == 0 ? 3 : 1 + static_cast<Cell>(i % 2);
      put(static_cast<int>(random() % width), static_cast<int>(random() % height), colour);
    }
    const int budgetMs = 1 + static_cast<int>(random() % 30);
    gameState.timeoutTurn.store(100 + budgetMs);
    const int stopMode = static_cast<int>(random() % 3);  // none, before, from a thread
    if (stopMode == 1) setStopSearch(1);
    const std::vector<Cell> before = boardCopy();

    std::thread stopper;
    if (stopMode == 2) {
      const auto delay = std::chrono::milliseconds(random() % (budgetMs + 1));
      stopper = std::thread([delay] {
        std::this_thread::sleep_for(delay);
        setStopSearch(1);
      });
    }
    const Square move = decideMove().move;
    if (stopper.joinable()) stopper.join();

    ASSERT_EQ(boardCopy(), before) << "round " << round;
    if (hasEmptySquare()) {
      EXPECT_TRUE(isOnBoard(move.x, move.y) && cellAt(move.x, move.y) == 0) << "round " << round;
    }
    EXPECT_LE(lines.size(), 2u);
    for (const std::string& line : lines) {
      const bool known =
          std::regex_match(line, searchLineFormat) || std::regex_match(line, threatLineFormat);
      EXPECT_TRUE(known) << line;
      if (line.find("F:") != std::string::npos) ++searched;
    }
  }
  // Most positions are quiet enough for the search (fixed by the seed, not by the clock).
  EXPECT_GE(searched, 20);
}

// A ladder of closed fours on a board of blockers: every block makes a four of the blocker,
// so the whole chain is forced. After the last block the board is full and the side to move
// has no candidate (-2000000); every level of the chain ages that score by one.
TEST_F(SearchRobustnessTest, LongForcedChainRunsOnAThread) {
  newBoard(20, 20);
  searchState.timeLimited = false;
  std::vector<std::pair<int, int>> chain;  // four squares apart, a snake over rows 0 to 16
  for (int row = 0; row < 5; ++row) {
    for (int i = 0; i < 5; ++i) chain.emplace_back(row % 2 == 0 ? 4 * i : 16 - 4 * i, 4 * row);
  }
  const int steps = static_cast<int>(chain.size()) - 1;
  for (int j = 0; j < steps; ++j) {
    // The three squares between chain squares j and j + 1 hold the stones of the side that
    // plays square j; the opponent (2) plays square 0, already on the board.
    const Cell colour = j % 2 == 0 ? 2 : 1;
    const int dx = (chain[j + 1].first - chain[j].first) / 4;
    const int dy = (chain[j + 1].second - chain[j].second) / 4;
    putLine(chain[j].first + dx, chain[j].second + dy, dx, dy, 3, colour);
  }
  put(chain[0].first, chain[0].second, 2);
  fillEmptyWithBlockers({chain.begin() + 1, chain.end()});
  const std::vector<Cell> before = boardCopy();

  std::int32_t score = 0;
  std::thread worker([&score] {
    startTurnClock();
    score = alphaBeta(1, 99, -2000000, 2000000);
  });
  worker.join();
  EXPECT_EQ(searchState.nodeCount, steps + 1);  // one node per block, none beside the chain
  const std::int32_t aged = 2000000 - steps;
  EXPECT_EQ(score, steps % 2 == 0 ? -aged : aged);
  EXPECT_EQ(boardCopy(), before);
  EXPECT_FALSE(stopRequested());
}

}  // namespace
}  // namespace fivefold
