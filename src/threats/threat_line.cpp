#include "threats/threat_line.h"

#include <algorithm>

#include "core/game_state.h"
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
  const int back = w - 1;  // cell i lies i - back steps from (x, y)
  // The cells on the board are one run of the line, as the board is convex.
  int lo = 0;
  int hi = 3 * w - 3;
  clampRun(x, directionDx[k], gameState.width, back, lo, hi);
  clampRun(y, directionDy[k], gameState.height, back, lo, hi);
  constexpr LineBits cells = 0x5555555555555555;  // bit 2i of every cell
  const LineBits onBoard = cells & ((cellBit(hi) << 1) - 1) & ~(cellBit(lo) - 1);
  // Cell values 0 to 3, two bits each; only the cells on the board count.
  const LineBits values = lineCellsAround(x * boardStride + y, k, back) & (onBoard * 3);
  const LineBits low = values & cells;
  const LineBits high = (values >> 1) & cells;
  const LineBits first = low & ~high;   // value 1
  const LineBits second = high & ~low;  // value 2
  LineCells line;
  line.own = player == 1 ? first : second;
  line.empty = onBoard & ~low & ~high;
  line.blocking = (player == 1 ? second : first) | (cells & ~onBoard);
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
