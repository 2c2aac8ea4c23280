#include "eval/line_windows.h"

namespace fivefold {

constinit WindowValues windowValues[2] = {};

void takeUpRuleWindowValues() {
  for (int side = 1; side <= 2; ++side) {
    WindowValues& view = windowValues[side - 1];
    const FiveRule plusRule = gameState.fiveRules[side];
    const FiveRule minusRule = gameState.fiveRules[otherSide(side)];
    if (view.plusRule == plusRule && view.minusRule == minusRule) continue;
    view.plusRule = plusRule;
    view.minusRule = minusRule;
    view.plain = makePatternValues(countWeights, plusRule, minusRule);
    view.raised = makePatternValues(raisedCountWeights, plusRule, minusRule);
  }
}

}  // namespace fivefold
