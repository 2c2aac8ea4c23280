#include "decision/turn_driver.h"

#include <algorithm>

#include "core/game_state.h"
#include "core/output.h"
#include "core/score_scale.h"
#include "decision/alpha_beta.h"
#include "decision/candidates.h"
#include "decision/search_clock.h"
#include "decision/threat_phase.h"
#include "eval/best_moves.h"

namespace fivefold {

namespace {

constexpr int firstDepth = 6;
static_assert(maxCandidates <= bestMovesCapacity);

// The answer when there is nothing to search: the first empty square, x outer, y inner.
void firstEmptySquare(std::int32_t& x, std::int32_t& y) {
  for (std::int32_t i = 0; i < gameState.width; ++i) {
    for (std::int32_t j = 0; j < gameState.height; ++j) {
      if (cellAt(i, j) == 0) {
        x = i;
        y = j;
        return;
      }
    }
  }
}

// The threat phase at the root. Returns true when a threat decided the move, with its
// score; otherwise `candidates` root moves are in nodeLists(0) and x, y are left alone.
bool decideByThreats(std::int32_t& x, std::int32_t& y, std::int32_t& score, int& candidates) {
  const ThreatPhase threats = settleThreats(1, rootMargin, nodeLists(0));
  score = 0;
  switch (threats.outcome) {
    case ThreatOutcome::None:
      candidates = threats.candidates;
      return false;
    case ThreatOutcome::OwnFour:
      printLine("MESSAGE THR: M4");
      printLine("MESSAGE Thx");
      score = scoreOwnFour;
      break;
    case ThreatOutcome::BlockCommonSquare:
      printLine("MESSAGE THR: O4>1I");
      break;
    case ThreatOutcome::LostToFours:
      printLine("MESSAGE THR: O4>1");
      printLine("MESSAGE Grat");
      score = scoreLostToFours;
      break;
    case ThreatOutcome::BlockFour:
      printLine("MESSAGE THR: O4=1");
      break;
    case ThreatOutcome::OwnThree:
      printLine("MESSAGE THR: M3 %d", threats.key);
      score = scoreOwnThree;
      break;
    case ThreatOutcome::LostToThrees:
      printLine("MESSAGE THR: O3>1");
      score = scoreLostToThrees;
      break;
  }
  x = threats.square.x;
  y = threats.square.y;
  return true;
}

}  // namespace

std::int32_t decideMove(std::int32_t& x, std::int32_t& y) {
  // The stop flag is left as startTurn set it: a stop asked for since then must not be
  // lost.
  searchState.nodeCount = 0;
  searchState.turnStartTick = tickCount();
  searchState.lastDepthStarted = 0;

  std::int32_t score = 0;
  int count = 0;
  if (decideByThreats(x, y, score, count)) return score;

  // The root list: after every iteration the kept moves replace it.
  RankedMoves root = nodeLists(0).candidates;
  const Square* cand = root.squares;

  if (count > 0) {
    x = cand[0].x;
    y = cand[0].y;
  } else {
    firstEmptySquare(x, y);
  }
  std::int32_t lastScore = -scoreInfinity;
  for (int depth = firstDepth;; depth += 2) {
    searchState.lastDepthStarted = depth;
    int bound = depth - 1;
    if (count == 0) {
      printLine("MESSAGE AB: D:%d E:%d F:0M S:%d", depth, lastScore, searchRate());
      return lastScore;
    }
    if (count == 1) {
      x = cand[0].x;
      y = cand[0].y;
      printLine("MESSAGE AB: D:%d F:0M S:%d", depth, searchRate());
      return lastScore;
    }

    std::int32_t best = -scoreInfinity;
    std::int32_t bestX = cand[0].x;
    std::int32_t bestY = cand[0].y;
    // The moves of this iteration that do not lose, best first, equal scores in search
    // order: the next iteration's list.
    BestMoves kept(maxCandidates);
    for (int i = 0; i < count; ++i) {
      setCell(cand[i].x, cand[i].y, 1);
      const std::int32_t r = alphaBeta(2, bound, -scoreInfinity, -best);
      setCell(cand[i].x, cand[i].y, 0);
      const std::int32_t s = decayScore(-r);
      if (isTimeUp()) {
        setStopSearch(1);
        if (i == 0 && lastScore == -scoreInfinity) {
          x = cand[0].x;
          y = cand[0].y;
          printLine("MESSAGE AB: D:%d E:%d F:T1Aa S:%d", depth, 0, searchRate());
          return 0;
        }
        if (i == 0) {
          printLine("MESSAGE AB: D:%d E:%d F:T1Ab S:%d", depth, lastScore, searchRate());
          return lastScore;
        }
        if (best > -scoreDecided) {
          x = bestX;
          y = bestY;
          printLine("MESSAGE AB: D:%d E:%d F:T1B S:%d", depth, best, searchRate());
          return best;
        }
        x = cand[i].x;
        y = cand[i].y;
        printLine("MESSAGE AB: D:%d F:T1C S:%d", depth, searchRate());
        return s;
      }
      if (s > best) {
        best = s;
        bestX = cand[i].x;
        bestY = cand[i].y;
      }
      if (s > scoreDecided) bound = std::min(bound, quickerWinDepth(s));
      if (s > -scoreDecided) kept.offer(cand[i], s);
      if (bound < 0) return best;
    }

    x = bestX;
    y = bestY;
    lastScore = best;
    if (best > scoreDecided) {
      printLine("MESSAGE AB: D:%d E:%d F:W S:%d", depth, best, searchRate());
      return best;
    }
    if ((searchState.timeLimited && static_cast<double>(elapsedMs()) * 2.5 >= timeBudget()) ||
        stopRequested() || nodeLimitReached()) {
      setStopSearch(1);
      printLine("MESSAGE AB: D:%d E:%d F:T2 S:%d", depth, best, searchRate());
      return best;
    }
    root = kept.ranked();
    count = root.count;
    if (const std::int32_t limit = depthLimit(); limit > 0 && depth + 2 > limit) {
      printLine("MESSAGE AB: D:%d E:%d F:L S:%d", depth, best, searchRate());
      return best;
    }
    if (depth + 2 > searchState.maxDepth) return best;
  }
}

}  // namespace fivefold
