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
                    NodeLists& lists) {
  if (threeCount == 0) return rankAreaAndExtraMoves(lists.candX, lists.candY, player, margin);
  lists.squareX.clear();
  lists.squareY.clear();
  const ThreatList& fourMakers = findThreats(player, Four, OneMissing);
  if (threeCount >= 2) {
    std::int32_t commonX[maxCostSquares];
    std::int32_t commonY[maxCostSquares];
    std::int32_t common = 0;
    commonCostSquares(threes, threeCount, commonX, commonY, common);
    lists.squareX.insert(lists.squareX.end(), commonX, commonX + common);
    lists.squareY.insert(lists.squareY.end(), commonY, commonY + common);
  }
  for (const ThreatRecord& record : fourMakers) {
    lists.squareX.push_back(record.missingX);
    lists.squareY.push_back(record.missingY);
  }
  if (threeCount == 1) collectCostSquares(lists.squareX, lists.squareY, threes, 1);
  return rankListedMoves(lists.candX, lists.candY, player, lists.squareX.data(),
                         lists.squareY.data(), static_cast<int>(lists.squareX.size()));
}

}  // namespace fivefold
