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
  RankedMoves candidates;
};

// The lists for the node at the given distance from the root (0: the turn driver).
NodeLists& nodeLists(int ply);

// Fills lists.candidates for player against the opponent's threes (the first threeCount
// records of threes) and returns their number. margin: rootMargin or treeMargin.
int buildCandidates(int player, int margin, const ThreatList& threes, int threeCount,
                    NodeLists& lists);

}  // namespace fivefold
