#include "threats/threat_line.h"

#include "threats/threat_finder.h"

namespace fivefold {

PatternMatch linePatternMatch(const LineTemplate& t, int x, int y, int k, int w, int start,
                              int missing) {
  // Place i of the window is cell start + i of the line, which lies start + i - (W - 1)
  // steps from (x, y).
  const int first = start - (w - 1);
  auto place = [&](int i) { return Square{offsetX(x, k, first + i), offsetY(y, k, first + i)}; };
  PatternMatch match;
  if (missing >= 0) match.missing = place(missing);
  match.gain = place(t.gain);
  for (int c = 0; c < t.costCount; ++c) match.cost[c] = place(t.cost[c]);
  match.costCount = t.costCount;
  return match;
}

}  // namespace fivefold
