// Keeping the best few moves of a sequence of scored squares, in the order in which the
// search will try them.
#pragma once

#include <algorithm>
#include <cstdint>

#include "core/score_scale.h"

namespace fivefold {

constexpr int bestMovesCapacity = 10;  // the longest list kept: a node's candidates

// The best `slots` squares seen so far, written to the caller's x and y arrays sorted by
// descending score; a later square moves above an earlier one only with a strictly
// greater score. A score of -scoreInfinity or less is never kept.
struct BestMoves {
  std::int32_t* x;
  std::int32_t* y;
  int slots;
  int filled = 0;
  std::int32_t score[bestMovesCapacity] = {};

  BestMoves(std::int32_t* outX, std::int32_t* outY, int count) : x(outX), y(outY), slots(count) {
    std::fill(score, score + slots, -scoreInfinity);
  }

  void offer(int squareX, int squareY, std::int32_t value) {
    if (value <= score[slots - 1]) return;
    // Only the filled slots move, so no slot past the reported ones is ever written.
    int i = filled < slots ? filled++ : slots - 1;
    while (i > 0 && score[i - 1] < value) {
      score[i] = score[i - 1];
      x[i] = x[i - 1];
      y[i] = y[i - 1];
      --i;
    }
    score[i] = value;
    x[i] = squareX;
    y[i] = squareY;
  }
};

}  // namespace fivefold
