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

// What one absorbed change of a square added to the kept gains along one of its lines: the
// sums of cells first .. last (cell u + 6 the square at offset u from the changed square).
constexpr int gainLineCells = 15;  // thirteen squares, and room for the last whole Int4 store
struct GainLineChange {
  std::int32_t plain[gainLineCells];
  std::int32_t raised[gainLineCells];
  std::int32_t first, last;  // first > last: the line added nothing
};

// One square's change as the kept gains absorbed it, kept so that it can be taken back.
struct AbsorbedChange {
  std::int32_t index;
  std::int32_t before, after;  // the square's cell values
  GainLineChange lines[lineDirections];
};

// The changes absorbed since the gains were last started or the stack last ran full, the
// latest on top.
constexpr int absorbedChangeDepth = 48;

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
  AbsorbedChange absorbed[absorbedChangeDepth];
  int absorbedCount = 0;
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
