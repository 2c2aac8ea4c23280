#include "decision/alpha_beta.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/score_scale.h"
#include "decision/candidates.h"
#include "decision/search_clock.h"
#include "eval/board_evaluation.h"
#include "threats/threat_selection.h"

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
  Cell& square = cellRef(x, y);
  square = player;
  const std::int32_t s = -alphaBeta(otherSide(player), depth, -beta, -alpha, ply + 1);
  square = 0;
  return decayScore(s);
}

}  // namespace

std::int32_t alphaBeta(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply) {
  searchState.nodeCount += 1;
  if (depth <= 0) return evaluateBoard(player);
  const int opponent = otherSide(player);
  NodeLists& lists = nodeLists(ply);
  ThreatList& threats = lists.threats;

  findThreats(threats, player, Four, Exact);
  if (!threats.empty()) return scoreOwnFour;

  findThreats(threats, opponent, Four, Exact);
  const int fours = static_cast<int>(threats.size());
  if (fours >= 2) {
    std::int32_t commonX[maxCostSquares];
    std::int32_t commonY[maxCostSquares];
    std::int32_t common = 0;
    if (!commonCostSquares(threats, fours, commonX, commonY, common)) return scoreLostToFours;
    return searchForcedBlock(player, depth, alpha, beta, ply, commonX[0], commonY[0]);
  }
  if (fours == 1) {
    return searchForcedBlock(player, depth, alpha, beta, ply, threats[0].costX[0],
                             threats[0].costY[0]);
  }

  findThreats(threats, player, Three, Exact);
  if (!threats.empty()) return scoreOwnThree;

  findThreats(threats, opponent, Three, Exact);
  const int threes = static_cast<int>(threats.size());
  const int count = buildCandidates(player, 2, threats, threes, lists);
  if (threes >= 2 && count == 0) return scoreLostToThrees;

  std::int32_t best = -scoreInfinity;
  int bound = depth - 1;
  for (int i = 0; i < count; ++i) {
    if (best >= moveThresholds[i]) break;
    Cell& square = cellRef(lists.candX[i], lists.candY[i]);
    square = player;
    const std::int32_t r = alphaBeta(opponent, bound, -beta, -alpha, ply + 1);
    square = 0;
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
