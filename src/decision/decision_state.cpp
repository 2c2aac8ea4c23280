#include "decision/decision_state.h"

#include "eval/board_evaluation.h"

namespace fivefold {

void resetDecisionState() {
  resetBoardEvaluator();
}

}  // namespace fivefold
