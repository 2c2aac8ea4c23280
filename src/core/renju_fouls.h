// Renju's fouls: black, who moves first, may not make a double three, a double four or an
// overline, unless the same stone makes exactly five. A property of the position under the
// rule, read by every layer that chooses or judges black's moves.
#pragma once

#include <cstdint>

#include "core/game_state.h"

namespace fivefold {

enum class Foul : std::int32_t { None, DoubleThree, DoubleFour, Overline };

// The foul a black stone on the empty square (x, y) of the playing area would commit, black's
// stones being those of Cell value gameState.blackSide. Judged as tournament judges do:
// - a five is exactly five black stones in a row, and a stone that makes one commits no foul;
// - an overline is six or more in a row;
// - a four is a line in which one more black stone would make a five; the fours of a line
//   are told apart by their stones, so a straight four (two ways to the same five stones
//   but one) is one four and `X X X _ X _ X X X` around the middle stone is two;
// - a three is a line in which one more black stone makes a straight four, on a square that
//   is no foul itself and where that stone would make no five (judged with the stone on
//   (x, y)); a line with a four holds no three;
// - two fours, or threes in two lines, are a foul.
Foul renjuFoul(int x, int y);

// Whether the side's moves may be fouls: black's under renju.
inline bool movesMayFoul(int side) {
  return gameState.rule == GameRule::Renju && side == gameState.blackSide;
}

// The reason as the tools write it: "double-three", "double-four", "overline" ("" for none).
const char* foulName(Foul foul);

}  // namespace fivefold
