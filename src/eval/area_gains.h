// The point gains of many squares at once. Between nearby nodes of the search only a few
// squares differ, so each player's gains of every square are kept against a snapshot of
// the board they were computed from, and a call re-scores only the windows that the
// changed squares can affect.
#pragma once

#include <cstdint>

#include "core/change_journal.h"
#include "core/game_state.h"
#include "core/line_words.h"

namespace fivefold {

// One player's kept gains. For every square of the playing area, plain and raised hold what
// pointGain and pointGainRaised give with the player's stone on it, as if the square were
// empty before (so an occupied square's entries are ready when it is emptied again).
struct PlayerAreaGains {
  JournalCursor cursor;
  // The line words of the board as it was at the previous call: a change is scored on
  // them as they stand with the earlier changes of the same call written in.
  LineWord snapshotLines[lineWordCount] = {};
  std::int32_t plain[boardCells] = {};
  std::int32_t raised[boardCells] = {};
};

struct AreaGainsState {
  PlayerAreaGains players[2];  // player 1, then the other side
};

extern AreaGainsState areaGains;

// The player's kept gains, brought up to the live board: for every square of the playing
// area, plain[x * 20 + y] is what pointGain and raised[x * 20 + y] what pointGainRaised
// would give with the player's stone on it (on an occupied square: as if it were emptied
// first).
const PlayerAreaGains& keptAreaGains(int player);

}  // namespace fivefold
