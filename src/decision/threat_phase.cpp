#include "decision/threat_phase.h"

#include "core/game_state.h"
#include "threats/threat_selection.h"

namespace fivefold {

ThreatPhase settleThreats(int player, int margin, NodeLists& lists, CandidateUse use) {
  const int opponent = otherSide(player);
  ThreatPhase phase;
  auto decide = [&](ThreatOutcome outcome, Square square) {
    phase.outcome = outcome;
    phase.square = square;
    return phase;
  };

  if (const ThreatList& own = findThreats(player, Four, Exact); !own.empty()) {
    return decide(ThreatOutcome::OwnFour, own[0].gain);
  }

  const ThreatList& fours = findThreats(opponent, Four, Exact);
  const int fourCount = static_cast<int>(fours.size());
  if (fourCount >= 2) {
    if (const CostSquares common = commonCostSquares(fours, fourCount); common.count > 0) {
      return decide(ThreatOutcome::BlockCommonSquare, common.squares[0]);
    }
    return decide(ThreatOutcome::LostToFours, fours[0].cost[0]);
  }
  if (fourCount == 1) return decide(ThreatOutcome::BlockFour, fours[0].cost[0]);

  if (const ThreatList& own = findThreats(player, Three, Exact); !own.empty()) {
    phase.key = own[0].key;
    return decide(ThreatOutcome::OwnThree, own[0].gain);
  }

  const ThreatList& threes = findThreats(opponent, Three, Exact);
  const int threeCount = static_cast<int>(threes.size());
  phase.candidates = buildCandidates(player, margin, threes, threeCount, lists, use);
  if (threeCount >= 2 && phase.candidates == 0) {
    return decide(ThreatOutcome::LostToThrees, threes[0].cost[0]);
  }
  return phase;
}

}  // namespace fivefold
