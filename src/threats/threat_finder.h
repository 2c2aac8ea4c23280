// Lists every four or three of one player, incrementally: for each player, kind and mode
// the finder keeps the board it last saw and the matches it last returned, rescans only
// the windows near cells that changed since, and merges.
#pragma once

#include <cstdint>
#include <vector>

#include "core/directions.h"
#include "threats/threat_patterns.h"

namespace fivefold {

struct ThreatRecord {
  std::int32_t missingX;  // the move that creates the threat (OneMissing); -1, -1 if none
  std::int32_t missingY;
  std::int32_t gainX;  // the last "g" of the template: completes five, or makes four
  std::int32_t gainY;
  std::int32_t costX[5];  // cost squares in window order; entries past costCount are 0
  std::int32_t costY[5];
  std::int32_t costCount;
  std::int32_t kind;
  // pattern * 10000000 + mode * 1000000 + kind * 100000 + direction * 10000
  // + startX * 100 + startY; shown to the manager, so the formula is fixed.
  std::int32_t key;

  friend bool operator==(const ThreatRecord&, const ThreatRecord&) = default;
};

using ThreatList = std::vector<ThreatRecord>;

// Clears `list` and fills it with the matches of `player` (1 or 2) on the live board:
// first those kept from this player/kind/mode's previous call, in their previous order,
// then those found in this call, in scan order.
void findThreats(ThreatList& list, int player, ThreatKind kind, ThreatMode mode);

// Puts every cache, snapshot and scratch list back to its start-up state.
void resetThreatFinder();

inline std::int32_t threatKey(int pattern, ThreatMode mode, ThreatKind kind, int direction,
                              int startX, int startY) {
  return pattern * 10000000 + mode * 1000000 + kind * 100000 + direction * 10000 + startX * 100 +
         startY;
}

}  // namespace fivefold
