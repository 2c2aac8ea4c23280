#include "threats/threat_line.h"

#include "threats/threat_finder.h"

namespace fivefold {

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
