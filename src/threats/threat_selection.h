// Turns found threats into squares to play: the cost squares of the first records, and
// the squares that lie in the cost list of every record.
#pragma once

#include <vector>

#include "core/grid.h"
#include "threats/threat_finder.h"

namespace fivefold {

// Appends the cost squares of the first n records (list order, then cost-list order) to
// squares; duplicates are kept. Returns how many squares were appended.
int collectCostSquares(std::vector<Square>& squares, const ThreatList& list, int n);

// Some of one record's cost squares, in the order of its cost list.
struct CostSquares {
  Square squares[maxCostSquares];
  int count = 0;
};

// The squares common to the cost lists of the first n records, in the order of the first
// record's cost list; none with fewer than two records.
CostSquares commonCostSquares(const ThreatList& list, int n);

}  // namespace fivefold
