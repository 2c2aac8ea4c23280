#include "threats/threat_line.h"

#include <algorithm>

#include "threats/threat_finder.h"

namespace fivefold {

namespace {

// Narrows lo .. hi to the cells i of the line whose coordinate c + (i - back) * d lies in
// 0 .. size - 1; c itself does.
void clampRun(int c, int d, int size, int back, int& lo, int& hi) {
  if (d > 0) {
    lo = std::max(lo, back - c);
    hi = std::min(hi, back + size - 1 - c);
  } else if (d < 0) {
    lo = std::max(lo, back + c - (size - 1));
    hi = std::min(hi, back + c);
  }
}

}  // namespace

LineCells readLine(int player, int x, int y, int k, int w) {
  const int opponent = player == 1 ? 2 : 1;
  const int back = w - 1;  // cell i lies i - back steps from (x, y)
  // The cells on the board are one run of the line, as the board is convex; the bits
  // outside it stay blocking.
  int lo = 0;
  int hi = 3 * w - 3;
  clampRun(x, directionDx[k], gameState.width, back, lo, hi);
  clampRun(y, directionDy[k], gameState.height, back, lo, hi);
  LineCells line;
  line.blocking = ~(((2u << hi) - 1) & ~((1u << lo) - 1));
  const int step = directionDx[k] * boardStride + directionDy[k];
  const Cell* cell =
      &gameState.board[offsetX(x, k, lo - back) * boardStride + offsetY(y, k, lo - back)];
  for (int i = lo; i <= hi; ++i, cell += step) {
    line.own |= std::uint32_t{*cell == player} << i;
    line.empty |= std::uint32_t{*cell == 0} << i;
    line.blocking |= std::uint32_t{*cell == opponent} << i;
  }
  return line;
}

PatternMatch linePatternMatch(const LineTemplate& t, int x, int y, int k, int w, int start,
                              int missing) {
  // Place i of the window is cell start + i of the line, which lies start + i - (W - 1)
  // steps from (x, y).
  const int first = start - (w - 1);
  PatternMatch match;
  if (missing >= 0) {
    match.missingX = offsetX(x, k, first + missing);
    match.missingY = offsetY(y, k, first + missing);
  }
  match.gainX = offsetX(x, k, first + t.gain);
  match.gainY = offsetY(y, k, first + t.gain);
  for (int c = 0; c < t.costCount; ++c) {
    match.costX[c] = offsetX(x, k, first + t.cost[c]);
    match.costY[c] = offsetY(y, k, first + t.cost[c]);
  }
  match.costCount = t.costCount;
  return match;
}

}  // namespace fivefold
