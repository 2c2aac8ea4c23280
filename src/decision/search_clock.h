// The clock and counters of one turn: its start tick, its node count and its time budget.
#pragma once

#include <cstdint>

namespace fivefold {

struct SearchState {
  std::uint32_t turnStartTick = 0;
  // Counts the nodes of the turn: every position the search visits, the leaves that a node
  // values from its candidates' gains without a call of their own included; 64 bits so that
  // a turn of any length cannot overflow it.
  std::int64_t nodeCount = 0;
  // The bench searches without a time budget (only the stop flag ends it) and up to a
  // fixed depth.
  bool timeLimited = true;
  int maxDepth = 100;
};

extern SearchState searchState;

void resetSearchState();

// A millisecond tick that never runs backwards; differences are taken modulo 2^32.
std::uint32_t tickCount();

// Milliseconds since the turn began.
std::uint32_t elapsedMs();

// min(timeoutTurn - 100, timeLeft / 10) in milliseconds, as a real number: the turn's own
// limit less a margin, or a tenth of the match time left.
double timeBudget();

// True when the turn's node count has reached the limit INFO max_node set.
bool nodeLimitReached();

// True when the search must end now: the budget is spent, a stop was asked for or the node
// limit reached.
bool searchMustStop();

// Nodes per second of the turn so far; 0 ms elapsed counts as 1 ms.
std::int32_t searchRate();

}  // namespace fivefold
