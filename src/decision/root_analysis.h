// The analysis that YXNBEST asks for: after each depth of the search, every root move it
// searched with its score and its line, best first, in MESSAGE lines.
#pragma once

#include <cstdint>
#include <vector>

#include "core/grid.h"

namespace fivefold {

// One root move as the search left it.
struct RootCandidate {
  Square move;
  std::int32_t score = 0;
  // False when the window cut the move's search short: score is then an upper bound.
  bool exact = true;
  std::vector<Square> line;  // from the move on
};

// The score below which a root move needs no exact score: that of the count-th best of the
// moves searched so far (none below count moves). With count 1 the best score so far, the
// window of the plain search.
std::int32_t windowFloor(const std::vector<RootCandidate>& searched, int count);

// Reports the moves searched at one depth (in search order), best first, equal scores in
// search order, one line each:
//   MESSAGE NBEST D:<depth> K:<rank> E:<score> L:<x>,<y> <x>,<y> ...
// with E:<=<score> for an upper bound. Nothing for no moves.
void reportDepth(int depth, const std::vector<RootCandidate>& searched);

}  // namespace fivefold
