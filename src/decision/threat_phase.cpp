#include "decision/threat_phase.h"

#include "core/game_state.h"
#include "threats/threat_selection.h"

namespace fivefold {

ThreatPhase settleThreats(int player, int margin, NodeLists& lists, CandidateUse use) {
  const int opponent = otherSide(player);
  ThreatPhase phase;
  auto decide = [&](ThreatOutcome outcome, std::int32_t x, std::int32_t y) {
    phase.outcome = outcome;
    phase.x = x;
    phase.y = y;
    return phase;
  };

  if (const ThreatList& own = findThreats(player, Four, Exact); !own.empty()) {
    return decide(ThreatOutcome::OwnFour, own[0].gainX, own[0].gainY);
  }

  const ThreatList& fours = findThreats(opponent, Four, Exact);
  const int fourCount = static_cast<int>(fours.size());
  if (fourCount >= 2) {
    std::int32_t commonX[maxCostSquares];
    std::int32_t commonY[maxCostSquares];
    std::int32_t common = 0;
    if (commonCostSquares(fours, fourCount, commonX, commonY, common)) {
      return decide(ThreatOutcome::BlockCommonSquare, commonX[0], commonY[0]);
    }
    return decide(ThreatOutcome::LostToFours, fours[0].costX[0], fours[0].costY[0]);
  }
  if (fourCount == 1) return decide(ThreatOutcome::BlockFour, fours[0].costX[0], fours[0].costY[0]);

  if (const ThreatList& own = findThreats(player, Three, Exact); !own.empty()) {
    phase.key = own[0].key;
    return decide(ThreatOutcome::OwnThree, own[0].gainX, own[0].gainY);
  }

  const ThreatList& threes = findThreats(opponent, Three, Exact);
  const int threeCount = static_cast<int>(threes.size());
  phase.candidates = buildCandidates(player, margin, threes, threeCount, lists, use);
  if (threeCount >= 2 && phase.candidates == 0) {
    return decide(ThreatOutcome::LostToThrees, threes[0].costX[0], threes[0].costY[0]);
  }
  return phase;
}

}  // namespace fivefold
