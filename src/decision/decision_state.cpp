#include "decision/decision_state.h"

namespace fivefold {

void resetDecisionState() {}

}  // namespace fivefold
