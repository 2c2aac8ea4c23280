#include "decision/decision_state.h"

#include "eval/board_evaluation.h"
#include "threats/threat_finder.h"

namespace fivefold {

void resetDecisionState() {
  resetThreatFinder();
  resetBoardEvaluator();
}

}  // namespace fivefold
