#include "decision/alpha_beta.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/score_scale.h"
#include "decision/candidates.h"
#include "decision/search_clock.h"
#include "decision/threat_phase.h"
#include "eval/area_gains.h"
#include "eval/board_evaluation.h"

namespace fivefold {

namespace {

// The candidate at position i of a node's list is searched only while the node's best
// score so far is below entry i.
constexpr std::int32_t moveThresholds[10] = {
    scoreInfinity, scoreInfinity, scoreInfinity, scoreDecided, scoreDecided, 600, 0,
    -200,          -scoreDecided, -scoreDecided};

// A forced block: the side to move must stop the opponent's four on (x, y). The child
// keeps the depth; neither the window nor the clock is tested on this path.
std::int32_t searchForcedBlock(int player, int depth, std::int32_t alpha, std::int32_t beta,
                               int ply, int x, int y) {
  setCell(x, y, player);
  const std::int32_t s = -alphaBeta(otherSide(player), depth, -beta, -alpha, ply + 1);
  setCell(x, y, 0);
  return decayScore(s);
}

}  // namespace

std::int32_t alphaBeta(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply) {
  searchState.nodeCount += 1;
  if (depth <= 0) return evaluateBoard(player);
  const int opponent = otherSide(player);
  NodeLists& lists = nodeLists(ply);
  const ThreatPhase threats = settleThreats(player, treeMargin, lists);
  switch (threats.outcome) {
    case ThreatOutcome::OwnFour:
      return scoreOwnFour;
    case ThreatOutcome::BlockCommonSquare:
    case ThreatOutcome::BlockFour:
      return searchForcedBlock(player, depth, alpha, beta, ply, threats.x, threats.y);
    case ThreatOutcome::LostToFours:
      return scoreLostToFours;
    case ThreatOutcome::OwnThree:
      return scoreOwnThree;
    case ThreatOutcome::LostToThrees:
      return scoreLostToThrees;
    case ThreatOutcome::None:
      break;
  }
  const int count = threats.candidates;

  // At depth 1 every child is a leaf, whose value is the board evaluation. Its total is the
  // total here plus what the stone of the side to move adds on the child's square, which is
  // that side's kept area gain of the square (the same sum over the same windows), so the
  // children are valued without being set up.
  const bool leaves = depth == 1;
  const std::int64_t total = leaves ? boardTotal() : 0;
  const std::int32_t* gains = leaves ? keptAreaGains(player).plain : nullptr;

  std::int32_t best = -scoreInfinity;
  int bound = depth - 1;
  for (int i = 0; i < count; ++i) {
    if (best >= moveThresholds[i]) break;
    std::int32_t r;
    if (leaves) {
      searchState.nodeCount += 1;
      const std::int32_t gain = gains[lists.candX[i] * boardStride + lists.candY[i]];
      r = boardValue(total + (player == 1 ? gain : -gain), opponent);
    } else {
      setCell(lists.candX[i], lists.candY[i], player);
      r = alphaBeta(opponent, bound, -beta, -alpha, ply + 1);
      setCell(lists.candX[i], lists.candY[i], 0);
    }
    if (isTimeUp()) {
      setStopSearch(1);
      return 0;
    }
    const std::int32_t s = decayScore(-r);
    alpha = std::max(alpha, s);
    best = std::max(best, s);
    if (alpha >= beta) return best;
    // A win was found: the other moves need only be searched as deep as a quicker win.
    if (s > scoreDecided) bound = std::min(bound, quickerWinDepth(s));
    if (bound < 0) break;
  }
  return best;
}

}  // namespace fivefold
