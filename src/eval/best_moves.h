// Keeping the best few moves of a sequence of scored squares, in the order in which the
// search will try them.
#pragma once

#include <cstdint>

#include "core/grid.h"
#include "core/score_scale.h"

namespace fivefold {

constexpr int bestMovesCapacity = 10;  // the longest list kept: a node's candidates

// The squares a ranking kept, best first, each with its point gain: what the mover's stone
// there adds to the board's total.
struct RankedMoves {
  Square squares[bestMovesCapacity];
  std::int32_t gains[bestMovesCapacity];
  int count = 0;
};

// The best `slots` squares offered so far, by descending score; a later square moves above
// an earlier one only with a strictly greater score. A score of -scoreInfinity or less is
// never kept.
//
// Each kept square is one 64-bit key: the score in the high half and, in the low half, the
// square under its place in the sequence counted down, so that keys order exactly as the
// squares rank (of two equal scores the earlier offer has the greater key) and moving a
// kept square down is one copy.
static_assert(boardCells <= 512);

struct BestMoves {
  int slots;
  int filled = 0;
  std::int32_t lowest = -scoreInfinity;  // a square must score above this to enter
  std::uint32_t offers = 0;
  std::int64_t keys[bestMovesCapacity];

  static constexpr int squareBits = 9;  // boardCells < 2^9
  static constexpr std::uint32_t lastOrder = (std::uint32_t{1} << (32 - squareBits)) - 1;

  explicit BestMoves(int count) : slots(count) {}

  // Offers a square whose place in the sequence is `order`; orders rise along the sequence.
  void offerInOrder(int square, std::uint32_t order, std::int32_t value) {
    if (value <= lowest) return;
    const std::int64_t key = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(static_cast<std::int64_t>(value)) << 32) |
        ((lastOrder - order) << squareBits | static_cast<std::uint32_t>(square)));
    int i = filled < slots ? filled++ : slots - 1;
    for (; i > 0 && keys[i - 1] < key; --i) keys[i] = keys[i - 1];
    keys[i] = key;
    if (filled == slots) lowest = static_cast<std::int32_t>(keys[slots - 1] >> 32);
  }

  // Offers a square after all the earlier ones.
  void offer(Square square, std::int32_t value) {
    offerInOrder(square.x * boardStride + square.y, offers++, value);
  }

  // Appends the kept squares, best first, to `ranked`, which has room for them, each with
  // the score it was offered with as its gain.
  void appendTo(RankedMoves& ranked) const {
    for (int i = 0; i < filled; ++i) {
      const int square = static_cast<int>(keys[i] & ((1 << squareBits) - 1));
      ranked.gains[ranked.count] = static_cast<std::int32_t>(keys[i] >> 32);
      ranked.squares[ranked.count++] = {square / boardStride, square % boardStride};
    }
  }
  RankedMoves ranked() const {
    RankedMoves moves;
    appendTo(moves);
    return moves;
  }
};

}  // namespace fivefold
