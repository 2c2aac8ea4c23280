#include "decision/decision_state.h"

#include "threats/threat_finder.h"

namespace fivefold {

void resetDecisionState() {
  resetThreatFinder();
}

}  // namespace fivefold
