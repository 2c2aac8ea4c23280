#include "decision/turn_driver.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "core/renju_fouls.h"
#include "core/score_scale.h"
#include "decision/alpha_beta.h"
#include "decision/candidates.h"
#include "decision/root_analysis.h"
#include "decision/search_clock.h"
#include "decision/turn_report.h"
#include "eval/best_moves.h"
#include "eval/move_scoring.h"

namespace fivefold {

namespace {

// The iterations search the root moves 6, 8, 10, ... plies deep.
constexpr int firstDepth = 6;
constexpr int depthStep = 2;

// Another iteration is begun only while the time spent, times this, stays below the budget:
// the next iteration is taken to cost about one and a half times all those before it.
constexpr double nextIterationFactor = 2.5;

// The answer when there is nothing to search: the first empty square, x outer, y inner;
// (0, 0) on a full board.
Square firstEmptySquare() {
  for (std::int32_t x = 0; x < gameState.width; ++x) {
    for (std::int32_t y = 0; y < gameState.height; ++y) {
      if (cellAt(x, y) == 0) return {x, y};
    }
  }
  return {};
}

enum class IterationEnd { Finished, Stopped, BeyondWin };

// What one iteration of the root loop found.
struct Iteration {
  IterationEnd end = IterationEnd::Finished;
  Square bestMove;  // the first move of the best score, over the moves searched to the end
  std::int32_t best = -scoreInfinity;
  // Stopped: where in the list the move lies whose search the stop cut short, and the score
  // the cut search gave it.
  int stoppedAt = 0;
  std::int32_t stoppedScore = 0;
  // Finished: the moves that do not lose, best first, equal scores in search order; the
  // next iteration's list.
  RankedMoves next;
  // With the analysis on: the moves searched to the end, in search order.
  std::vector<RootCandidate> searched;
};

// Searches the root moves in order, each `depth` plies deep (its reply depth - 1), until
// the last one, a stop, or a score beyond any win (see SearchStop::BeyondWin).
//
// With the analysis (bestCount > 0) each move is searched with its line, in a window that
// gives the bestCount best their exact scores, and always `depth` plies deep: a win found
// does not make the others' search shallower, so that every move's score is one of that
// depth. With bestCount 1 the windows are the plain search's.
Iteration searchIteration(const RankedMoves& root, int depth, int bestCount) {
  Iteration iteration;
  iteration.bestMove = root.squares[0];
  int bound = depth - 1;
  BestMoves kept(maxCandidates);
  for (int i = 0; i < root.count; ++i) {
    const Square move = root.squares[i];
    const std::int32_t floor =
        bestCount > 0 ? windowFloor(iteration.searched, bestCount) : iteration.best;
    setCell(move.x, move.y, 1);
    LineScore reply;
    if (bestCount > 0) {
      reply = alphaBetaLine(2, bound, -scoreInfinity, -floor);
    } else {
      reply.score = alphaBeta(2, bound, -scoreInfinity, -floor);
    }
    setCell(move.x, move.y, 0);
    const std::int32_t s = decayScore(-reply.score);
    if (searchMustStop()) {
      setStopSearch(1);
      iteration.end = IterationEnd::Stopped;
      iteration.stoppedAt = i;
      iteration.stoppedScore = s;
      return iteration;
    }
    if (bestCount > 0) {
      // Where the reply's search reached the window's top (failed high), the move's score is
      // only an upper bound.
      reply.line.insert(reply.line.begin(), move);
      iteration.searched.push_back({move, s, reply.score < -floor, std::move(reply.line)});
    }
    if (s > iteration.best) {
      iteration.best = s;
      iteration.bestMove = move;
    }
    if (s > scoreDecided && bestCount == 0) bound = std::min(bound, quickerWinDepth(s));
    if (s > -scoreDecided) kept.offer(move, s);
    if (bound < 0) {
      iteration.end = IterationEnd::BeyondWin;
      return iteration;
    }
  }
  iteration.next = kept.ranked();
  return iteration;
}

// The decision when a stop cut the iteration short; `turn` holds the last finished
// iteration's move and score.
TurnDecision cutShort(TurnDecision turn, const RankedMoves& root, const Iteration& iteration) {
  if (iteration.stoppedAt == 0 && turn.depth == firstDepth) {
    turn.move = root.squares[0];
    turn.score = 0;
    turn.stop = SearchStop::StoppedAtOnce;
  } else if (iteration.stoppedAt == 0) {
    turn.stop = SearchStop::StoppedAtFirst;
  } else if (iteration.best > -scoreDecided) {
    turn.move = iteration.bestMove;
    turn.score = iteration.best;
    turn.stop = SearchStop::StoppedWithBest;
  } else {
    turn.move = root.squares[iteration.stoppedAt];
    turn.score = iteration.stoppedScore;
    turn.stop = SearchStop::StoppedAllLose;
  }
  return turn;
}

// Why the search ends after an iteration that finished at turn.depth with turn.score; none
// when another iteration follows.
std::optional<SearchStop> stopAfterIteration(const TurnDecision& turn) {
  const int next = turn.depth + depthStep;
  if (turn.score > scoreDecided) return SearchStop::ForcedWin;
  const bool late = searchState.timeLimited &&
                    static_cast<double>(elapsedMs()) * nextIterationFactor >= timeBudget();
  if (late || stopRequested() || nodeLimitReached()) {
    setStopSearch(1);
    return SearchStop::NoTimeForNext;
  }
  if (const std::int32_t limit = depthLimit(); limit > 0 && next > limit) {
    return SearchStop::DepthLimit;
  }
  if (next > searchState.maxDepth) return SearchStop::FixedDepth;
  return std::nullopt;
}

// Iterative deepening over the root moves: each finished iteration's kept moves are the
// next one's list. With the analysis on, the one move of a list is searched too, and each
// finished iteration is reported, as is one cut short after a move was searched to the end
// whose best move is then played.
TurnDecision searchRootMoves(RankedMoves root, int bestCount) {
  TurnDecision turn;
  turn.move = root.count > 0 ? root.squares[0] : firstEmptySquare();
  turn.score = -scoreInfinity;
  auto stopped = [&turn](SearchStop stop) {
    turn.stop = stop;
    return turn;
  };
  for (turn.depth = firstDepth;; turn.depth += depthStep) {
    if (root.count == 0) return stopped(SearchStop::NoCandidate);
    if (root.count == 1 && bestCount == 0) {
      turn.move = root.squares[0];
      return stopped(SearchStop::OneCandidate);
    }
    const Iteration iteration = searchIteration(root, turn.depth, bestCount);
    if (iteration.end == IterationEnd::Stopped) {
      const TurnDecision cut = cutShort(turn, root, iteration);
      if (cut.stop == SearchStop::StoppedWithBest) reportDepth(turn.depth, iteration.searched);
      return cut;
    }
    reportDepth(turn.depth, iteration.searched);
    turn.score = iteration.best;
    if (iteration.end == IterationEnd::BeyondWin) return stopped(SearchStop::BeyondWin);
    turn.move = iteration.bestMove;
    if (const std::optional<SearchStop> stop = stopAfterIteration(turn)) return stopped(*stop);
    root = iteration.next;
  }
}

// Under renju black never plays a foul, not even in a lost position, where the threat phase
// names a square that blocks a four or a three of the opponent's: a foul loses at once, and
// any other move may yet be answered wrongly. The best move of the area that is no foul
// stands in for it, or else the first empty square that is none.
Square outsideFouls(Square move) {
  if (cellAt(move.x, move.y) == 0 && renjuFoul(move.x, move.y) == Foul::None) return move;
  if (const RankedMoves area = rankAreaAndExtraMoves(1, rootMargin); area.count > 0) {
    return area.squares[0];
  }
  for (std::int32_t x = 0; x < gameState.width; ++x) {
    for (std::int32_t y = 0; y < gameState.height; ++y) {
      if (cellAt(x, y) == 0 && renjuFoul(x, y) == Foul::None) return {x, y};
    }
  }
  return move;
}

// With the analysis on, a forced block is searched as the one root move, for its score; a
// threat that decides the game is reported as it stands, at depth 0.
TurnDecision decideTurn(int bestCount) {
  const ThreatPhase threats = settleThreats(1, rootMargin, nodeLists(0));
  if (threats.outcome == ThreatOutcome::None) {
    return searchRootMoves(nodeLists(0).candidates, bestCount);
  }
  TurnDecision turn{.move = threats.square,
                    .score = threatScore(threats.outcome),
                    .threat = threats.outcome,
                    .threatKey = threats.key};
  if (bestCount == 0) return turn;
  const bool block = threats.outcome == ThreatOutcome::BlockFour ||
                     threats.outcome == ThreatOutcome::BlockCommonSquare;
  if (!block) {
    reportDepth(0, {{turn.move, turn.score, true, {turn.move}}});
    return turn;
  }
  RankedMoves only;
  only.squares[only.count++] = threats.square;
  TurnDecision searched = searchRootMoves(only, bestCount);
  searched.threat = turn.threat;
  searched.threatKey = turn.threatKey;
  return searched;
}

}  // namespace

TurnDecision decideMove() {
  // The stop flag is left as startTurn set it: a stop asked for since then must not be
  // lost.
  searchState.nodeCount = 0;
  searchState.turnStartTick = tickCount();
  TurnDecision turn = decideTurn(bestCount());
  if (movesMayFoul(1)) turn.move = outsideFouls(turn.move);
  reportTurn(turn);
  return turn;
}

}  // namespace fivefold
