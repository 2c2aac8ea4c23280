// Turns found threats into squares to play: the cost squares of the first records, and
// the squares that lie in the cost list of every record.
#pragma once

#include <cstdint>
#include <vector>

#include "core/grid.h"
#include "threats/threat_finder.h"

namespace fivefold {

// Appends the cost squares of the first n records (list order, then cost-list order) to
// squares; duplicates are kept. Returns how many squares were appended.
int collectCostSquares(std::vector<Square>& squares, const ThreatList& list, int n);

// The squares common to the cost lists of the first n records, in the order of the first
// record's cost list, written to xs and ys (room for 5) with their number in count.
// Returns whether there is at least one. With n <= 1 returns false, count untouched.
bool commonCostSquares(const ThreatList& list, int n, std::int32_t* xs, std::int32_t* ys,
                       std::int32_t& count);

}  // namespace fivefold
