#include "decision/candidates.h"

#include <memory>

#include "eval/move_scoring.h"
#include "threats/threat_selection.h"

namespace fivefold {

namespace {
// One set of lists per ply; a unique_ptr each so that growing the table never moves the
// lists of a node that is still running.
std::vector<std::unique_ptr<NodeLists>> listsByPly;
}  // namespace

NodeLists& nodeLists(int ply) {
  while (static_cast<int>(listsByPly.size()) <= ply) {
    listsByPly.push_back(std::make_unique<NodeLists>());
  }
  return *listsByPly[static_cast<std::size_t>(ply)];
}

int buildCandidates(int player, int margin, const ThreatList& threes, int threeCount,
                    NodeLists& lists, CandidateUse use) {
  lists.countedOnly = false;
  if (threeCount == 0) {
    if (use == CandidateUse::CountAndBest) {
      const AreaMoveSummary summary = summariseAreaMoves(player, margin);
      if (summary.known) {
        lists.countedOnly = true;
        lists.candidates.count = 0;
        lists.bestGain = summary.bestGain;
        return summary.count;
      }
    }
    lists.candidates = rankAreaAndExtraMoves(player, margin);
    return lists.candidates.count;
  }
  std::vector<Square>& listed = lists.listed;
  listed.clear();
  const ThreatList& fourMakers = findThreats(player, Four, OneMissing);
  if (threeCount >= 2) {
    const CostSquares common = commonCostSquares(threes, threeCount);
    listed.insert(listed.end(), common.squares, common.squares + common.count);
  }
  // A four-maker's missing square is the move that makes its four.
  for (const ThreatRecord& record : fourMakers) {
    if (record.missing) listed.push_back(*record.missing);
  }
  if (threeCount == 1) collectCostSquares(listed, threes, 1);
  lists.candidates = rankListedMoves(player, listed);
  return lists.candidates.count;
}

}  // namespace fivefold
