#include "threats/threat_selection.h"

#include <algorithm>

namespace fivefold {

namespace {

// A caller's n never reads past the list.
int recordsToRead(const ThreatList& list, int n) {
  return std::min(n, static_cast<int>(list.size()));
}

bool hasCostSquare(const ThreatRecord& record, Square square) {
  return std::find(record.cost, record.cost + record.costCount, square) !=
         record.cost + record.costCount;
}

}  // namespace

int collectCostSquares(std::vector<Square>& squares, const ThreatList& list, int n) {
  int written = 0;
  const int records = recordsToRead(list, n);
  for (int r = 0; r < records; ++r) {
    const ThreatRecord& record = list[r];
    squares.insert(squares.end(), record.cost, record.cost + record.costCount);
    written += record.costCount;
  }
  return written;
}

CostSquares commonCostSquares(const ThreatList& list, int n) {
  CostSquares common;
  const int records = recordsToRead(list, n);
  if (records <= 1) return common;
  const ThreatRecord& first = list[0];
  for (int c = 0; c < first.costCount; ++c) {
    bool everywhere = true;
    for (int r = 1; r < records && everywhere; ++r)
      everywhere = hasCostSquare(list[r], first.cost[c]);
    if (everywhere) common.squares[common.count++] = first.cost[c];
  }
  return common;
}

}  // namespace fivefold
