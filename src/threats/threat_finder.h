// Lists every four or three of one player, incrementally: for each player, kind and mode
// the finder keeps the board it last saw and the matches it last returned, rescans only
// the windows near cells that changed since, and merges.
#pragma once

#include <cstdint>
#include <vector>

#include "core/directions.h"
#include "threats/threat_patterns.h"

namespace fivefold {

// One found threat: the template's match (the missing square is the move that creates the
// threat in OneMissing mode; the gain square completes five or makes four) with its kind
// and key.
struct ThreatRecord : PatternMatch {
  std::int32_t kind;
  // pattern * 10000000 + mode * 1000000 + kind * 100000 + direction * 10000
  // + startX * 100 + startY; shown to the manager, so the formula is fixed.
  std::int32_t key;

  friend bool operator==(const ThreatRecord&, const ThreatRecord&) = default;
};

using ThreatList = std::vector<ThreatRecord>;

// The matches of `player` (1 or 2) on the live board: first those kept from this
// player/kind/mode's previous call, in their previous order, then those found in this
// call, in scan order. The list is the finder's own: it holds until the next call for the
// same player, kind and mode.
const ThreatList& findThreats(int player, ThreatKind kind, ThreatMode mode);

inline std::int32_t threatKey(int pattern, ThreatMode mode, ThreatKind kind, int direction,
                              int startX, int startY) {
  return pattern * 10000000 + mode * 1000000 + kind * 100000 + direction * 10000 + startX * 100 +
         startY;
}

// The pattern number of a key: its start part, startX * 100 + startY, is -808 at the least.
constexpr int lowestStartPart = -808;
inline int threatPattern(std::int32_t key) {
  return (key - lowestStartPart) / 10000000;
}

}  // namespace fivefold
