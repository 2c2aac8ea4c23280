#include "decision/search_clock.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/game_state.h"
#include "search_fixture.h"

namespace fivefold {
namespace {

using SearchClockTest = SearchTest;

// The turn as if it had begun msAgo milliseconds ago.
void turnBegan(std::uint32_t msAgo) {
  searchState.turnStartTick = tickCount() - msAgo;
}

// Under a match clock the turn gets the smaller of its own limit less a 100 ms margin and a
// tenth of the time left: first a match clock short against the turn, then a turn short
// against the match clock (where a twentieth of it would be shorter still). Each budget is
// also read through searchMustStop, well inside and well past it, so that no load tips it.
TEST_F(SearchClockTest, TurnBudgetIsTheTurnLessItsMarginOrATenthOfTheTimeLeft) {
  struct Clock {
    std::int32_t timeoutTurn;
    std::int32_t timeLeft;
  };
  for (const Clock clock : {Clock{5000, 10000}, Clock{1100, 15000}}) {
    SCOPED_TRACE(::testing::Message()
                 << "timeout_turn " << clock.timeoutTurn << ", time_left " << clock.timeLeft);
    gameState.timeoutTurn.store(clock.timeoutTurn);
    gameState.timeLeft.store(clock.timeLeft);
    EXPECT_DOUBLE_EQ(timeBudget(), 1000.0);
    turnBegan(700);
    EXPECT_FALSE(searchMustStop());
    turnBegan(1400);
    EXPECT_TRUE(searchMustStop());
  }
}

}  // namespace
}  // namespace fivefold
