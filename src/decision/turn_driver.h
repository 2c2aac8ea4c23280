// Decides the engine's move for one turn: at once when a threat forces it, otherwise by
// iterative deepening within the turn's time budget.
#pragma once

#include <cstdint>

#include "core/grid.h"
#include "decision/threat_phase.h"

namespace fivefold {

// Why the search of a turn stopped. Each but the last two is reported by the code after "F:"
// of its MESSAGE line.
enum class SearchStop {
  NoCandidate,      // 0M: nothing to search; E is the last finished iteration's score
                    //   (-2000000 before the first)
  OneCandidate,     // 0M: the one move is played unsearched; no E
  StoppedAtOnce,    // T1Aa: stopped in the first move of the first iteration; E is 0
  StoppedAtFirst,   // T1Ab: stopped in the first move of a later iteration
  StoppedWithBest,  // T1B: stopped in mid iteration; the best move so far is played
  StoppedAllLose,   // T1C: stopped in mid iteration where every move so far loses; no E
  ForcedWin,        // W
  NoTimeForNext,    // T2: not enough time for another iteration, or a stop
  DepthLimit,       // L: INFO max_depth reached
  FixedDepth,       // the bench's depth reached; no line
  // A root move scored beyond any win the search finds (a decided board or an opponent
  // without moves): the search ends there with the last finished iteration's move (the
  // first candidate before any) and this iteration's best score so far; no line.
  BeyondWin,
};

// The turn's decision, from the threat phase or the search down to the lines that report it.
struct TurnDecision {
  Square move;
  std::int32_t score = 0;  // for the engine; the line's E where it has one
  // A threat decided the move without a search (threatKey: OwnThree's key), or None.
  ThreatOutcome threat = ThreatOutcome::None;
  std::int32_t threatKey = 0;
  SearchStop stop = SearchStop::NoCandidate;  // with no threat: why the search stopped
  int depth = 0;                              // and the depth of its last iteration begun
};

// Decides the move and reports how in MESSAGE lines. Leaves the board as it found it.
TurnDecision decideMove();

}  // namespace fivefold
