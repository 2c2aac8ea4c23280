#include "decision/alpha_beta.h"

#include <algorithm>
#include <limits>

#include "core/game_state.h"
#include "core/score_scale.h"
#include "decision/candidates.h"
#include "decision/search_clock.h"
#include "decision/threat_phase.h"
#include "eval/board_evaluation.h"

namespace fivefold {

namespace {

// The board's total (see boardTotal) when the caller knows it; unknownTotal when not.
constexpr std::int64_t unknownTotal = std::numeric_limits<std::int64_t>::min();

std::int32_t searchNode(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply,
                        std::int64_t total);

// The candidate at position i of a node's list is searched only while the node's best
// score so far is below entry i: the first three always, the next two unless a win is found,
// the last two only while every move so far loses. Between them, the better a node already
// stands, the fewer of its weaker moves it tries.
constexpr std::int32_t sixthMoveBelow = 600;
constexpr std::int32_t seventhMoveBelow = 0;
constexpr std::int32_t eighthMoveBelow = -200;
constexpr std::int32_t moveThresholds[10] = {
    scoreInfinity,  scoreInfinity,    scoreInfinity,   scoreDecided,  scoreDecided,
    sixthMoveBelow, seventhMoveBelow, eighthMoveBelow, -scoreDecided, -scoreDecided};

// A forced block: the side to move must stop the opponent's four on `block`. The child
// keeps the depth; neither the window nor the clock is tested on this path. The node has
// not brought its gains up to date, so the block's share of the child's total is scored
// square by square.
std::int32_t searchForcedBlock(int player, int depth, std::int32_t alpha, std::int32_t beta,
                               int ply, std::int64_t total, Square block) {
  const std::int64_t childTotal =
      total == unknownTotal ? unknownTotal : totalAfterChange(total, block.x, block.y, player);
  setCell(block.x, block.y, player);
  const std::int32_t s = -searchNode(otherSide(player), depth, -beta, -alpha, ply + 1, childTotal);
  setCell(block.x, block.y, 0);
  return decayScore(s);
}

std::int32_t searchNode(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply,
                        std::int64_t total) {
  searchState.nodeCount += 1;
  if (depth <= 0) return total == unknownTotal ? evaluateBoard(player) : boardValue(total, player);
  const int opponent = otherSide(player);
  NodeLists& lists = nodeLists(ply);
  const bool leaves = depth == 1;
  const ThreatPhase threats = settleThreats(
      player, treeMargin, lists, leaves ? CandidateUse::CountAndBest : CandidateUse::Ordered);
  switch (threats.outcome) {
    case ThreatOutcome::None:
      break;
    case ThreatOutcome::BlockCommonSquare:
    case ThreatOutcome::BlockFour:
      return searchForcedBlock(player, depth, alpha, beta, ply, total, threats.square);
    case ThreatOutcome::OwnFour:
    case ThreatOutcome::LostToFours:
    case ThreatOutcome::OwnThree:
    case ThreatOutcome::LostToThrees:
      return threatScore(threats.outcome);
  }
  const int count = threats.candidates;

  // A child's board total is the total here plus what the stone of the side to move adds on
  // the child's square, its point gain, which the ranking gave with each candidate (the same
  // sum over the same windows). So only a node whose caller does not know its total scores
  // the board's windows, and at depth 1, where every child is a leaf valued by the board
  // evaluation, the children are valued without being set up.
  //
  // At depth 1 the candidates come by falling gain (the extra ones gain no more than the
  // eighth), and a child's value rises with the mover's gain: no later child scores above
  // the first, so after the first none changes alpha, the best score or the bound, and the
  // loop runs exactly as with every child valued like the first. Such a node may therefore
  // only count its area moves and find the best gain, without ranking them.
  std::int64_t childTotals[maxCandidates];
  if (count > 0) {
    if (total == unknownTotal) total = boardTotal();
    for (int i = 0; i < count; ++i) {
      const std::int32_t gain = lists.countedOnly ? lists.bestGain : lists.candidates.gains[i];
      childTotals[i] = total + (player == 1 ? gain : -gain);
    }
  }

  std::int32_t best = -scoreInfinity;
  int bound = depth - 1;
  for (int i = 0; i < count; ++i) {
    if (best >= moveThresholds[i]) break;
    std::int32_t r;
    if (leaves) {
      searchState.nodeCount += 1;
      r = boardValue(childTotals[i], opponent);
    } else {
      const Square move = lists.candidates.squares[i];
      setCell(move.x, move.y, player);
      r = searchNode(opponent, bound, -beta, -alpha, ply + 1, childTotals[i]);
      setCell(move.x, move.y, 0);
    }
    if (searchMustStop()) {
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

}  // namespace

std::int32_t alphaBeta(int player, int depth, std::int32_t alpha, std::int32_t beta, int ply) {
  return searchNode(player, depth, alpha, beta, ply, unknownTotal);
}

}  // namespace fivefold
