#include "decision/threat_phase.h"

#include "core/game_state.h"
#include "core/renju_fouls.h"
#include "threats/threat_selection.h"

namespace fivefold {

namespace {

bool isFoul(Square square) {
  return renjuFoul(square.x, square.y) != Foul::None;
}

// Black's threes under renju: a three is one only where the stone that makes its straight four
// is no foul (its completions make exactly five, which no foul spoils). That stone is the gain
// square, or for the three with room on both sides (pattern 0) either of its two cost squares;
// a three kept on the other one takes it as its gain.
const ThreatList& threesOutsideFouls(const ThreatList& threes, ThreatList& kept) {
  kept.clear();
  for (const ThreatRecord& three : threes) {
    if (!isFoul(three.gain)) {
      kept.push_back(three);
    } else if (threatPattern(three.key) == 0 && !isFoul(three.cost[0])) {
      kept.push_back(three);
      kept.back().gain = three.cost[0];
    }
  }
  return kept;
}

}  // namespace

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

  // Under renju black cannot block on a foul: the four then wins.
  const bool mayFoul = movesMayFoul(player);
  const ThreatList& fours = findThreats(opponent, Four, Exact);
  const int fourCount = static_cast<int>(fours.size());
  if (fourCount >= 2) {
    if (const CostSquares common = commonCostSquares(fours, fourCount);
        common.count > 0 && !(mayFoul && isFoul(common.squares[0]))) {
      return decide(ThreatOutcome::BlockCommonSquare, common.squares[0]);
    }
    return decide(ThreatOutcome::LostToFours, fours[0].cost[0]);
  }
  if (fourCount == 1) {
    if (mayFoul && isFoul(fours[0].cost[0])) {
      return decide(ThreatOutcome::LostToFours, fours[0].cost[0]);
    }
    return decide(ThreatOutcome::BlockFour, fours[0].cost[0]);
  }

  const ThreatList* own = &findThreats(player, Three, Exact);
  if (mayFoul && !own->empty()) own = &threesOutsideFouls(*own, lists.threes);
  if (!own->empty()) {
    phase.key = (*own)[0].key;
    return decide(ThreatOutcome::OwnThree, (*own)[0].gain);
  }

  const ThreatList* opponentThrees = &findThreats(opponent, Three, Exact);
  if (movesMayFoul(opponent) && !opponentThrees->empty()) {
    opponentThrees = &threesOutsideFouls(*opponentThrees, lists.threes);
  }
  const ThreatList& threes = *opponentThrees;
  const int threeCount = static_cast<int>(threes.size());
  phase.candidates = buildCandidates(player, margin, threes, threeCount, lists, use);
  if (threeCount >= 2 && phase.candidates == 0) {
    return decide(ThreatOutcome::LostToThrees, threes[0].cost[0]);
  }
  return phase;
}

}  // namespace fivefold
