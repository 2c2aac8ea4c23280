// The candidate moves of a search node: the best-scoring empty squares near the stones,
// or of a list the caller gives, best first, by the gains that eval/area_gains.h keeps. A
// square whose score is not above -scoreInfinity is never kept, nor, under renju, a foul of
// black's. The board is left as it was found.
#pragma once

#include <cstdint>
#include <span>

#include "core/grid.h"
#include "eval/best_moves.h"

namespace fivefold {

constexpr int areaMoveSlots = 8;
constexpr int extraAreaMoveSlots = 2;
constexpr int listedMoveSlots = 10;

// The 8 best empty squares by point gain of the rectangle around all non-empty squares,
// widened by margin (margin squares before the stones, margin - 1 beyond them), then the 2
// best of the others by raised gain, from one sweep of the area.
RankedMoves rankAreaAndExtraMoves(int player, int margin);

// Its two halves, one sweep each (the tests' plain reference for it): the 8 best squares
// of the area by point gain, and the 2 best by raised gain leaving out `skip`.
RankedMoves rankAreaMoves(int player, int margin);
RankedMoves rankExtraAreaMoves(int player, std::span<const Square> skip, int margin);

// What a node whose children are all leaves needs of rankAreaAndExtraMoves: how many moves
// it gives and the greatest point gain among them, found in one pass that keeps no list.
// `known` is false when a square of the area scores -scoreInfinity or less by either gain:
// only the ranking itself can then tell which squares it keeps.
struct AreaMoveSummary {
  bool known = false;
  int count = 0;
  std::int32_t bestGain = 0;
};
AreaMoveSummary summariseAreaMoves(int player, int margin);

// The first of rankAreaAndExtraMoves's moves: the square it ranks first by point gain, for
// a node that only summarised them (the analysis names its leaf's square).
Square bestAreaMove(int player, int margin);

// The 10 best of the listed squares by point gain, in list order among equal scores. An
// occupied square or one off the board takes no slot; a square listed twice can take two.
RankedMoves rankListedMoves(int player, std::span<const Square> list);

}  // namespace fivefold
