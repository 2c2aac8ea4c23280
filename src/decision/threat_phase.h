// The threat tests that open every decision, at the root and at every node of the search:
// a four of the side to move wins, an opponent's four must be blocked, a three of the side
// to move wins, and opponent threes without a defence lose; otherwise the node's candidate
// moves are built against the opponent's threes.
#pragma once

#include <cstdint>

#include "decision/candidates.h"

namespace fivefold {

enum class ThreatOutcome {
  None,               // no threat decides: `candidates` moves are in the node's lists
  OwnFour,            // the square completes five
  BlockCommonSquare,  // several opponent fours, all blocked on the square
  LostToFours,        // several opponent fours with no common block; the square blocks one
  BlockFour,          // one opponent four, blocked on the square
  OwnThree,           // the square makes an open four; `key` is the three's
  LostToThrees,       // opponent threes that no candidate defends; the square blocks one
};

struct ThreatPhase {
  ThreatOutcome outcome = ThreatOutcome::None;
  Square square;         // the move, unless the outcome is None
  std::int32_t key = 0;  // OwnThree: the three's key
  int candidates = 0;    // None: how many candidate moves the node's lists hold
};

// The tests for `player` to move, in their fixed order; margin: that of buildCandidates.
ThreatPhase settleThreats(int player, int margin, NodeLists& lists,
                          CandidateUse use = CandidateUse::Ordered);

}  // namespace fivefold
