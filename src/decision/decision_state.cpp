#include "decision/decision_state.h"

#include "eval/area_gains.h"
#include "eval/board_evaluation.h"
#include "threats/threat_finder.h"

namespace fivefold {

void resetDecisionState() {
  resetThreatFinder();
  resetBoardEvaluator();
  resetAreaGains();
}

}  // namespace fivefold
