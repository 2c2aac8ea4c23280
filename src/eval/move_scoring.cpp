#include "eval/move_scoring.h"

#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

#include "core/game_state.h"
#include "core/int_lanes.h"
#include "core/line_words.h"
#include "core/renju_fouls.h"
#include "core/score_scale.h"
#include "eval/area_gains.h"
#include "eval/best_moves.h"

namespace fivefold {

namespace {

// The rectangle searched for moves: upper bounds exclusive.
struct AreaBox {
  int fromX, toX, fromY, toY;
};

// The first and the last of `count` lines (columns or rows) that hold a stone, each walked
// to from its own end, so the lines between them are never asked; count and 0 when none
// does.
template <typename Occupied>
std::pair<int, int> occupiedSpan(int count, Occupied&& occupied) {
  int first = 0;
  while (first < count && !occupied(first)) ++first;
  if (first == count) return {count, 0};
  int last = count - 1;
  while (last > first && !occupied(last)) --last;
  return {first, last};
}

// The rectangle around every non-empty square of the playing area, widened by margin
// before the stones and margin - 1 beyond them. A column or row holds a stone when its
// line word does.
AreaBox scoredArea(int margin) {
  const int width = gameState.width;
  const int height = gameState.height;
  const auto [minX, maxX] =
      occupiedSpan(width, [](int x) { return lineOccupied(x * boardStride, columnDirection); });
  const auto [minY, maxY] =
      occupiedSpan(height, [](int y) { return lineOccupied(y, rowDirection); });
  return {std::max(0, minX - margin), std::min(width, maxX + margin), std::max(0, minY - margin),
          std::min(height, maxY + margin)};
}

// Offers every empty square of the area by its gain, in visiting order (x, then y,
// ascending, which is the order of the grid index), leaving out the squares of `skip`.
void offerArea(BestMoves& best, const AreaBox& area, const std::int32_t* gains,
               std::span<const Square> skip = {}) {
  std::uint64_t skipped[(boardCells + 63) / 64] = {};
  for (const Square square : skip) {
    // A square off the board is never in the area; leaving it out keeps the index safe.
    if (!isOnBoard(square.x, square.y)) continue;
    const int index = square.x * boardStride + square.y;
    skipped[index / 64] |= std::uint64_t{1} << (index % 64);
  }
  auto offerSquare = [&](std::ptrdiff_t index) {
    if ((skipped[index / 64] >> (index % 64)) & 1) return;
    best.offerInOrder(index, static_cast<std::uint32_t>(index), gains[index]);
  };
  for (int x = area.fromX; x < area.toX; ++x) {
    // Four squares of the column at a time: after the first few offers hardly any square
    // scores above the last kept one, and a group without such a square costs one test.
    // Indexes are pointer-wide: an int one costs a sign extension for each address.
    int y = area.fromY;
    for (; y + 4 <= area.toY; y += 4) {
      const std::ptrdiff_t index = x * boardStride + y;
      for (int lanes = greaterWhereZero(loadInt4(gains + index), splatInt4(best.lowest),
                                        loadInt4(gameState.board + index));
           lanes != 0; lanes &= lanes - 1) {
        offerSquare(index + std::countr_zero(static_cast<unsigned>(lanes)));
      }
    }
    for (; y < area.toY; ++y) {
      const std::ptrdiff_t index = x * boardStride + y;
      if (gameState.board[index] == 0) offerSquare(index);
    }
  }
}

// Appends the extra squares to `ranked`: they were offered with their raised gain, and take
// their plain one.
void appendExtra(const BestMoves& extra, const std::int32_t* plainGains, RankedMoves& ranked) {
  const int first = ranked.count;
  extra.appendTo(ranked);
  for (int i = first; i < ranked.count; ++i) {
    ranked.gains[i] = plainGains[ranked.squares[i].x * boardStride + ranked.squares[i].y];
  }
}

// Under renju, whether black's best square of the area (the first of the best gain in the
// ranking's order) is no foul, so that the summary holds for the moves without fouls. Its count
// holds as long as ten squares that are no foul are left, which takes no judging where the area
// has twice as many empty squares (the summary then says so; else the ranking judges).
bool bestIsNoFoul(const AreaBox& area, const PlayerAreaGains& gains, std::int32_t best, int empty) {
  constexpr int roomy = 2 * (areaMoveSlots + extraAreaMoveSlots);
  if (empty < roomy) return false;
  for (int x = area.fromX; x < area.toX; ++x) {
    for (int y = area.fromY; y < area.toY; ++y) {
      const int index = x * boardStride + y;
      if (gameState.board[index] == 0 && gains.plain[index] == best) {
        return renjuFoul(x, y) == Foul::None;
      }
    }
  }
  return false;
}

}  // namespace

RankedMoves rankAreaMoves(int player, int margin) {
  BestMoves best(areaMoveSlots);
  offerArea(best, scoredArea(margin), keptAreaGains(player).plain);
  return best.ranked();
}

Square bestAreaMove(int player, int margin) {
  BestMoves best(1);
  offerArea(best, scoredArea(margin), keptAreaGains(player).plain);
  return best.ranked().squares[0];
}

RankedMoves rankExtraAreaMoves(int player, std::span<const Square> skip, int margin) {
  BestMoves best(extraAreaMoveSlots);
  const PlayerAreaGains& gains = keptAreaGains(player);
  offerArea(best, scoredArea(margin), gains.raised, skip);
  RankedMoves ranked;
  appendExtra(best, gains.plain, ranked);
  return ranked;
}

namespace {

// The ranking of the area's moves, leaving out the squares of `fouls`.
RankedMoves rankAreaAndExtra(int player, int margin, std::span<const Square> fouls) {
  const AreaBox area = scoredArea(margin);
  const PlayerAreaGains& gains = keptAreaGains(player);
  BestMoves best(areaMoveSlots);
  offerArea(best, area, gains.plain, fouls);
  RankedMoves ranked = best.ranked();
  // The gain of a square does not depend on which others are offered, so the raised
  // gains of the same catch-up serve the extra ranking.
  BestMoves extra(extraAreaMoveSlots);
  std::vector<Square> skip(ranked.squares, ranked.squares + ranked.count);
  skip.insert(skip.end(), fouls.begin(), fouls.end());
  offerArea(extra, area, gains.raised, skip);
  appendExtra(extra, gains.plain, ranked);
  return ranked;
}

}  // namespace

RankedMoves rankAreaAndExtraMoves(int player, int margin) {
  // The ranking without fouls written out again: with no squares to leave out known when it
  // is compiled, the first offer skips nothing at no cost (rankAreaAndExtra with an empty list
  // costs exact five some 37 instructions a node).
  if (!movesMayFoul(player)) [[likely]] {
    const AreaBox area = scoredArea(margin);
    const PlayerAreaGains& gains = keptAreaGains(player);
    BestMoves best(areaMoveSlots);
    offerArea(best, area, gains.plain);
    RankedMoves ranked = best.ranked();
    // The gain of a square does not depend on which others are offered, so the raised
    // gains of the same catch-up serve the extra ranking.
    BestMoves extra(extraAreaMoveSlots);
    offerArea(extra, area, gains.raised, std::span<const Square>(ranked.squares, ranked.count));
    appendExtra(extra, gains.plain, ranked);
    return ranked;
  }
  // Black under renju: the squares ranked are judged, and the ranking is made again without
  // those that are fouls until none of them is (fouls are few, and judging every square of
  // the area would cost far more).
  std::vector<Square> fouls;
  for (;;) {
    const RankedMoves ranked = rankAreaAndExtra(player, margin, fouls);
    const std::size_t before = fouls.size();
    for (int i = 0; i < ranked.count; ++i) {
      if (renjuFoul(ranked.squares[i].x, ranked.squares[i].y) != Foul::None) {
        fouls.push_back(ranked.squares[i]);
      }
    }
    if (fouls.size() == before) return ranked;
  }
}

AreaMoveSummary summariseAreaMoves(int player, int margin) {
  const AreaBox area = scoredArea(margin);
  const PlayerAreaGains& gains = keptAreaGains(player);
  // Over the empty squares: the greatest plain gain, the least of both gains, and how many.
  // An occupied square reads as no maximum and no minimum.
  const Int4 noMaximum = splatInt4(-scoreInfinity);
  const Int4 noMinimum = splatInt4(scoreInfinity);
  Int4 greatest = noMaximum;
  Int4 least = noMinimum;
  int empty = 0;
  auto take = [&](Int4 cells, Int4 plain, Int4 raised) {
    greatest = maxInt4(greatest, selectWhereZero(cells, plain, noMaximum));
    least = minInt4(least, selectWhereZero(cells, minInt4(plain, raised), noMinimum));
  };
  for (int x = area.fromX; x < area.toX; ++x) {
    int y = area.fromY;
    for (; y + 4 <= area.toY; y += 4) {
      const std::ptrdiff_t index = x * boardStride + y;
      const Int4 cells = loadInt4(gameState.board + index);
      empty += std::popcount(static_cast<unsigned>(zeroLanes(cells)));
      take(cells, loadInt4(gains.plain + index), loadInt4(gains.raised + index));
    }
    for (; y < area.toY; ++y) {
      const std::ptrdiff_t index = x * boardStride + y;
      if (gameState.board[index] != 0) continue;
      empty += 1;
      take(splatInt4(0), splatInt4(gains.plain[index]), splatInt4(gains.raised[index]));
    }
  }
  std::int32_t lanes[4];
  storeInt4(lanes, greatest);
  const std::int32_t best = std::max(std::max(lanes[0], lanes[1]), std::max(lanes[2], lanes[3]));
  storeInt4(lanes, least);
  const std::int32_t lowest = std::min(std::min(lanes[0], lanes[1]), std::min(lanes[2], lanes[3]));
  AreaMoveSummary summary;
  // Every empty square scores above -scoreInfinity by both gains: the 8 best by plain gain
  // are 8 of them or all, and the 2 extra any 2 of the rest.
  summary.known = empty == 0 || lowest > -scoreInfinity;
  summary.count = std::min(empty, areaMoveSlots + extraAreaMoveSlots);
  summary.bestGain = best;
  if (summary.known && movesMayFoul(player)) summary.known = bestIsNoFoul(area, gains, best, empty);
  return summary;
}

RankedMoves rankListedMoves(int player, std::span<const Square> list) {
  BestMoves best(listedMoveSlots);
  // The kept gains are the trial gains of every square.
  const std::int32_t* gains = keptAreaGains(player).plain;
  const bool mayFoul = movesMayFoul(player);
  for (const Square square : list) {
    // A square off the board is never a move; reading it could leave the grid.
    if (isOnBoard(square.x, square.y) && cellAt(square.x, square.y) == 0 &&
        (!mayFoul || renjuFoul(square.x, square.y) == Foul::None)) {
      best.offer(square, gains[square.x * boardStride + square.y]);
    }
  }
  return best.ranked();
}

}  // namespace fivefold
