// The point gains of many squares at once. Between nearby nodes of the search only a few
// squares differ, so each player's gains of every square are kept against a snapshot of
// the board they were computed from, and a call re-scores only the windows that the
// changed squares can affect.
#pragma once

#include <cstdint>

#include "core/game_state.h"

namespace fivefold {

struct AreaBox {
  int fromX, toX, fromY, toY;  // upper bounds exclusive
};

// One player's kept gains. For every square of the playing area whose snapshot digit is 0
// (empty or a winning-line stone), plain and raised hold what pointGain and
// pointGainRaised give with the player's stone on it; other entries are stale.
struct PlayerAreaGains {
  std::int32_t width = 0;  // the playing size the entries belong to; 0: nothing kept yet
  std::int32_t height = 0;
  Cell snapshot[boardCells] = {};  // the playing area as it was at the previous call
  std::int32_t plain[boardCells] = {};
  std::int32_t raised[boardCells] = {};
};

struct AreaGainsState {
  PlayerAreaGains players[2];  // player 1, then the other side
};

extern AreaGainsState areaGains;

// For every square with wanted[x * 20 + y] set (inside box, on the board and empty), sets
// plainGains[x * 20 + y] to what pointGain and raisedGains[x * 20 + y] to what
// pointGainRaised would give with the player's stone on it; the other squares of the box
// get 0, and entries outside the box are left as they were.
void gainsOverArea(const AreaBox& box, int player, const bool* wanted, std::int32_t* plainGains,
                   std::int32_t* raisedGains);

// Start-up state: nothing kept for either player.
void resetAreaGains();

}  // namespace fivefold
