#include "decision/turn_report.h"

#include "core/output.h"
#include "decision/search_clock.h"

namespace fivefold {

namespace {

void reportThreat(ThreatOutcome outcome, std::int32_t key) {
  switch (outcome) {
    case ThreatOutcome::OwnFour:
      printLine("MESSAGE THR: M4");
      printLine("MESSAGE Thx");
      break;
    case ThreatOutcome::BlockCommonSquare:
      printLine("MESSAGE THR: O4>1I");
      break;
    case ThreatOutcome::LostToFours:
      printLine("MESSAGE THR: O4>1");
      printLine("MESSAGE Grat");
      break;
    case ThreatOutcome::BlockFour:
      printLine("MESSAGE THR: O4=1");
      break;
    case ThreatOutcome::OwnThree:
      printLine("MESSAGE THR: M3 %d", key);
      break;
    case ThreatOutcome::LostToThrees:
      printLine("MESSAGE THR: O3>1");
      break;
    case ThreatOutcome::None:
      break;
  }
}

// The search line's code after "F:", and whether the line gives the score after "E:".
struct StopCode {
  const char* code;  // nullptr: the stop has no line
  bool withScore;
};

StopCode stopCode(SearchStop stop) {
  switch (stop) {
    case SearchStop::NoCandidate:
      return {"0M", true};
    case SearchStop::OneCandidate:
      return {"0M", false};
    case SearchStop::StoppedAtOnce:
      return {"T1Aa", true};
    case SearchStop::StoppedAtFirst:
      return {"T1Ab", true};
    case SearchStop::StoppedWithBest:
      return {"T1B", true};
    case SearchStop::StoppedAllLose:
      return {"T1C", false};
    case SearchStop::ForcedWin:
      return {"W", true};
    case SearchStop::NoTimeForNext:
      return {"T2", true};
    case SearchStop::DepthLimit:
      return {"L", true};
    case SearchStop::FixedDepth:
    case SearchStop::BeyondWin:
      break;
  }
  return {nullptr, false};
}

}  // namespace

void reportTurn(const TurnDecision& turn) {
  if (turn.threat != ThreatOutcome::None) {
    reportThreat(turn.threat, turn.threatKey);
    return;
  }
  const StopCode line = stopCode(turn.stop);
  if (line.code == nullptr) return;
  if (line.withScore) {
    printLine("MESSAGE AB: D:%d E:%d F:%s S:%d", turn.depth, turn.score, line.code, searchRate());
  } else {
    printLine("MESSAGE AB: D:%d F:%s S:%d", turn.depth, line.code, searchRate());
  }
}

}  // namespace fivefold
