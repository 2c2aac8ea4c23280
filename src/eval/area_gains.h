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

// What a stone put on a square (or turned into the other side's) adds to the kept gains
// along one of its lines: the sums of cells 0 .. 12, cell u + 6 the square at offset u from
// the stone's square; a cell off the playing area adds nothing.
constexpr int gainLineCells = 16;  // thirteen squares, and room for whole Int4 stores
struct GainLineChange {
  std::int32_t plain[gainLineCells];
  std::int32_t raised[gainLineCells];
};

// One square's change as the kept gains absorbed it, kept so that it can be taken back.
struct AbsorbedChange {
  std::int32_t index;
  std::int32_t before, after;  // the square's cell values
  // 1: the lines' sums were added; -1: taken away (a stone lifted); 0: there are none (a
  // change between an empty square and a winning-line stone)
  std::int32_t sign;
  GainLineChange lines[lineDirections];
};

// The changes absorbed since the gains were last started or the stack last ran full, the
// latest on top.
constexpr int absorbedChangeDepth = 48;

// How far along a line from a square a change adds to the kept gains: six squares, at most
// six steps of a diagonal.
constexpr int gainMargin = 6 * (boardStride + 1);

// One player's kept gains. For every square of the playing area, plain holds its point gain:
// what the player's stone there adds to the value of the line windows through it from the
// player's side, their value with the stone less their value without it, both by
// countWeights. raised holds its raised gain: the same with the value without the stone
// taken by raisedCountWeights. Both as if the square were empty before (so an occupied
// square's entries are ready when it is emptied again).
struct PlayerAreaGains {
  JournalCursor cursor;
  // Which table of what a stone does to the windows around it serves the player's view of
  // the window values; set when the gains start.
  int laneTable = 0;
  // The line words of the board as it was at the previous call: a change is scored on
  // them as they stand with the earlier changes of the same call written in.
  LineWord snapshotLines[lineWordCount] = {};
  // The gains with a margin before and after the grid's squares, so that a change's sums
  // can be added along the whole reach of its lines without a test for the grid's edge.
  std::int32_t cells[2][gainMargin + boardCells + gainMargin] = {};
  std::int32_t* const plain = cells[0] + gainMargin;
  std::int32_t* const raised = cells[1] + gainMargin;
  AbsorbedChange absorbed[absorbedChangeDepth];
  int absorbedCount = 0;
};

// Where the playing area lies along a line around a square (cell u + 6 the square at
// offset u), the same for both players.
struct LineReach {
  LineWord cells;       // two bits per cell on the playing area, the square's own left out
  std::uint8_t inside;  // bit `start`: the window of cells start .. start + 6 lies on it
  // The cells just before and after the run on the playing area, whose sums are cleared;
  // a cell past the thirteen where the run reaches the end.
  std::uint8_t head, tail;
};

struct AreaGainsState {
  PlayerAreaGains players[2];                   // player 1, then the other side
  LineReach reach[boardCells][lineDirections];  // for the current playing size
};

extern AreaGainsState areaGains;

// The player's kept gains, brought up to the live board: for every square of the playing
// area, plain[x * 20 + y] is its point gain and raised[x * 20 + y] its raised gain for the
// player (on an occupied square: as if it were emptied first).
const PlayerAreaGains& keptAreaGains(int player);

}  // namespace fivefold
