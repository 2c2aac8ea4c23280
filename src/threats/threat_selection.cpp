#include "threats/threat_selection.h"

#include <algorithm>

namespace fivefold {

namespace {

// A caller's n never reads past the list.
int recordsToRead(const ThreatList& list, int n) {
  return std::min(n, static_cast<int>(list.size()));
}

bool hasCostSquare(const ThreatRecord& record, std::int32_t x, std::int32_t y) {
  for (int c = 0; c < record.costCount; ++c) {
    if (record.costX[c] == x && record.costY[c] == y) return true;
  }
  return false;
}

}  // namespace

int collectCostSquares(std::vector<Square>& squares, const ThreatList& list, int n) {
  int written = 0;
  const int records = recordsToRead(list, n);
  for (int r = 0; r < records; ++r) {
    const ThreatRecord& record = list[r];
    for (int c = 0; c < record.costCount; ++c) {
      squares.push_back({record.costX[c], record.costY[c]});
      written += 1;
    }
  }
  return written;
}

bool commonCostSquares(const ThreatList& list, int n, std::int32_t* xs, std::int32_t* ys,
                       std::int32_t& count) {
  const int records = recordsToRead(list, n);
  if (records <= 1) return false;
  const ThreatRecord& first = list[0];
  bool alive[maxCostSquares] = {};
  for (int c = 0; c < first.costCount; ++c) alive[c] = true;
  for (int r = 1; r < records; ++r) {
    for (int c = 0; c < first.costCount; ++c) {
      if (alive[c] && !hasCostSquare(list[r], first.costX[c], first.costY[c])) alive[c] = false;
    }
  }
  count = 0;
  for (int c = 0; c < first.costCount; ++c) {
    if (!alive[c]) continue;
    xs[count] = first.costX[c];
    ys[count] = first.costY[c];
    count += 1;
  }
  return count > 0;
}

}  // namespace fivefold
