// The threat tests that open every decision, at the root and at every node of the search:
// a four of the side to move wins, an opponent's four must be blocked, a three of the side
// to move wins, and opponent threes without a defence lose; otherwise the node's candidate
// moves are built against the opponent's threes.
#pragma once

#include <cstdint>

#include "core/score_scale.h"
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

// The score of an outcome for the side to move: that of a decided game; 0 for None and the
// blocks, which the search goes on from.
constexpr std::int32_t threatScore(ThreatOutcome outcome) {
  switch (outcome) {
    case ThreatOutcome::OwnFour:
      return scoreOwnFour;
    case ThreatOutcome::LostToFours:
      return scoreLostToFours;
    case ThreatOutcome::OwnThree:
      return scoreOwnThree;
    case ThreatOutcome::LostToThrees:
      return scoreLostToThrees;
    case ThreatOutcome::None:
    case ThreatOutcome::BlockCommonSquare:
    case ThreatOutcome::BlockFour:
      break;
  }
  return 0;
}

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
