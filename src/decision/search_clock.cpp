#include "decision/search_clock.h"

#include <algorithm>
#include <chrono>
#include <limits>

#include "core/game_state.h"

namespace fivefold {

SearchState searchState;

void resetSearchState() {
  searchState = SearchState{};
}

std::uint32_t tickCount() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

std::uint32_t elapsedMs() {
  return tickCount() - searchState.turnStartTick;
}

namespace {
// What the turn leaves of its own limit for answering after the search, in milliseconds.
constexpr double turnMarginMs = 100.0;
// A turn takes at most a tenth of the match time left.
constexpr double timeLeftShares = 10.0;
}  // namespace

double timeBudget() {
  const double turn =
      static_cast<double>(gameState.timeoutTurn.load(std::memory_order_relaxed)) - turnMarginMs;
  const double left =
      static_cast<double>(gameState.timeLeft.load(std::memory_order_relaxed)) / timeLeftShares;
  return std::min(turn, left);
}

bool nodeLimitReached() {
  const std::int32_t limit = nodeLimit();
  return limit > 0 && searchState.nodeCount >= limit;
}

bool searchMustStop() {
  if (stopRequested() || nodeLimitReached()) return true;
  return searchState.timeLimited && static_cast<double>(elapsedMs()) >= timeBudget();
}

std::int32_t searchRate() {
  const double elapsed = std::max<std::uint32_t>(elapsedMs(), 1);
  const double rate = static_cast<double>(searchState.nodeCount) * 1000.0 / elapsed;
  // Truncated towards zero; kept within 32 bits.
  return static_cast<std::int32_t>(
      std::min(rate, static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

}  // namespace fivefold
