// The score scale of the search: signed 32-bit scores from the side to move's point of
// view; beyond +-900000 a position is decided.
#pragma once

#include <cstdint>

namespace fivefold {

constexpr std::int32_t scoreOwnFour = 999999;
constexpr std::int32_t scoreOwnThree = 999997;
constexpr std::int32_t scoreLostToFours = -999998;
constexpr std::int32_t scoreLostToThrees = -999996;
constexpr std::int32_t scoreDecided = 900000;
constexpr std::int32_t scoreInfinity = 2000000;

// The candidate at position i of a node's list is searched only while the node's best
// score so far is below entry i.
constexpr std::int32_t moveThresholds[10] = {2000000, 2000000, 2000000, 900000,  900000,
                                             600,     0,       -200,    -900000, -900000};

// Ages a decided score by one ply: a win found sooner scores higher, a loss found later
// scores higher.
constexpr std::int32_t decayScore(std::int32_t s) {
  if (s > scoreDecided) return s - 1;
  if (s < -scoreDecided) return s + 1;
  return s;
}

}  // namespace fivefold
