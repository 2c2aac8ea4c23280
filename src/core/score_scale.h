// The score scale of the engine: signed 32-bit scores from the side to move's point of
// view. Beyond +-scoreDecided a position is decided: the threat scores sit just below a
// million, and each ply of search ages them by one, so that a quicker win scores higher.
#pragma once

#include <cstdint>

namespace fivefold {

constexpr std::int32_t scoreOwnFour = 999999;
constexpr std::int32_t scoreOwnThree = 999997;
constexpr std::int32_t scoreLostToFours = -999998;
constexpr std::int32_t scoreLostToThrees = -999996;
constexpr std::int32_t scoreDecided = 900000;
// The static board value of a position with a five on it.
constexpr std::int32_t scoreBoardDecided = 1000000;
// Below every score: the start of every maximum.
constexpr std::int32_t scoreInfinity = 2000000;

// Ages a decided score by one ply: a win found sooner scores higher, a loss found later
// scores higher.
constexpr std::int32_t decayScore(std::int32_t s) {
  if (s > scoreDecided) return s - 1;
  if (s < -scoreDecided) return s + 1;
  return s;
}

// A win that scores s (above scoreDecided) is this many plies deeper than the move that
// found it, less one: searching the other moves deeper cannot find a quicker win.
constexpr std::int32_t quickerWinDepth(std::int32_t s) {
  return scoreOwnFour - 1 - s;
}

}  // namespace fivefold
