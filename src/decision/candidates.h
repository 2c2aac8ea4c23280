// The ordered moves of a search node, and the working lists each node owns.
#pragma once

#include <cstdint>
#include <vector>

#include "core/grid.h"
#include "eval/best_moves.h"
#include "threats/threat_finder.h"

namespace fivefold {

constexpr int maxCandidates = bestMovesCapacity;

// How far beyond the stones the area moves are sought: twice as far at the root as in the
// tree.
constexpr int rootMargin = 4;
constexpr int treeMargin = 2;

// The lists of one node. They live outside the call stack, one set per ply, so that the
// deepest forced chain needs little stack and the lists keep their capacity between nodes.
struct NodeLists {
  std::vector<Square> listed;  // squares handed to the listed-move ranking
  ThreatList threes;           // under renju, black's threes that are threes (see settleThreats)
  RankedMoves candidates;
  // Set when the candidates were only counted (CandidateUse::CountAndBest): their squares
  // are not listed, and bestGain is the greatest mover's gain among them.
  bool countedOnly = false;
  std::int32_t bestGain = 0;
};

// What a node needs of its candidates: every one in order, or, at a node whose children are
// all leaves valued by their square's gain, how many there are and the best gain.
enum class CandidateUse { Ordered, CountAndBest };

// The lists for the node at the given distance from the root (0: the turn driver).
NodeLists& nodeLists(int ply);

// Fills lists.candidates for player against the opponent's threes (the first threeCount
// records of threes) and returns their number. margin: rootMargin or treeMargin. With
// CountAndBest the area moves may only be counted (see NodeLists); listed moves are always
// ranked.
int buildCandidates(int player, int margin, const ThreatList& threes, int threeCount,
                    NodeLists& lists, CandidateUse use = CandidateUse::Ordered);

}  // namespace fivefold
