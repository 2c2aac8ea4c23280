#include "eval/move_scoring.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/game_state.h"
#include "core/line_words.h"
#include "eval/area_gains.h"
#include "eval/best_moves.h"

namespace fivefold {

namespace {

// The rectangle searched for moves: upper bounds exclusive.
struct AreaBox {
  int fromX, toX, fromY, toY;
};

// The rectangle around every non-empty square of the playing area, widened by margin
// before the stones and margin - 1 beyond them. A column or row holds a stone when its
// line word does.
AreaBox scoredArea(int margin) {
  const int width = gameState.width;
  const int height = gameState.height;
  int minX = width, maxX = 0, minY = height, maxY = 0;
  for (int x = 0; x < width; ++x) {
    if (lineOccupied(x * boardStride, columnDirection)) {
      minX = std::min(minX, x);
      maxX = x;
    }
  }
  for (int y = 0; y < height; ++y) {
    if (lineOccupied(y, rowDirection)) {
      minY = std::min(minY, y);
      maxY = y;
    }
  }
  return {std::max(0, minX - margin), std::min(width, maxX + margin), std::max(0, minY - margin),
          std::min(height, maxY + margin)};
}

// Bit i: square i of the four from `gains` and `board` on scores above `lowest` and is empty.
inline int emptyAndAbove(const std::int32_t* gains, const Cell* board, std::int32_t lowest) {
#if defined(__SSE2__)
  const __m128i gain = _mm_loadu_si128(reinterpret_cast<const __m128i*>(gains));
  const __m128i cell = _mm_loadu_si128(reinterpret_cast<const __m128i*>(board));
  const __m128i wanted = _mm_and_si128(_mm_cmpgt_epi32(gain, _mm_set1_epi32(lowest)),
                                       _mm_cmpeq_epi32(cell, _mm_setzero_si128()));
  return _mm_movemask_ps(_mm_castsi128_ps(wanted));
#else
  int lanes = 0;
  for (int i = 0; i < 4; ++i) lanes |= ((gains[i] > lowest) & (board[i] == 0)) << i;
  return lanes;
#endif
}

// Offers every empty square of the area by its gain, in visiting order (x, then y,
// ascending), leaving out the skipCount squares of skipX/skipY.
void offerArea(BestMoves& best, const AreaBox& area, const std::int32_t* gains,
               const std::int32_t* skipX = nullptr, const std::int32_t* skipY = nullptr,
               int skipCount = 0) {
  // Most squares score no more than the last kept one; a local copy of that score rejects
  // them with one compare (a write through best.x or best.y could alias best.score, so
  // the compiler would reload it).
  std::int32_t lowestKept = best.score[best.slots - 1];
  std::uint64_t skipped[(boardCells + 63) / 64] = {};
  for (int i = 0; i < skipCount; ++i) {
    // A square off the board is never in the area; leaving it out keeps the index safe.
    if (!isOnBoard(skipX[i], skipY[i])) continue;
    const int index = skipX[i] * boardStride + skipY[i];
    skipped[index / 64] |= std::uint64_t{1} << (index % 64);
  }
  auto offerSquare = [&](int x, int y) {
    const int index = x * boardStride + y;
    if (gains[index] <= lowestKept || gameState.board[index] != 0) return;
    if ((skipped[index / 64] >> (index % 64)) & 1) return;
    best.offer(x, y, gains[index]);
    lowestKept = best.score[best.slots - 1];
  };
  for (int x = area.fromX; x < area.toX; ++x) {
    // Four squares of the column at a time: after the first few offers hardly any square
    // scores above the last kept one, and a group without such a square costs one test.
    int y = area.fromY;
    for (; y + 4 <= area.toY; y += 4) {
      const int index = x * boardStride + y;
      for (int lanes = emptyAndAbove(gains + index, gameState.board + index, lowestKept);
           lanes != 0; lanes &= lanes - 1) {
        offerSquare(x, y + std::countr_zero(static_cast<unsigned>(lanes)));
      }
    }
    for (; y < area.toY; ++y) offerSquare(x, y);
  }
}

}  // namespace

int rankAreaMoves(std::int32_t* outX, std::int32_t* outY, int player, int margin) {
  BestMoves best(outX, outY, areaMoveSlots);
  offerArea(best, scoredArea(margin), keptAreaGains(player).plain);
  return best.filled;
}

int rankExtraAreaMoves(std::int32_t* outX, std::int32_t* outY, int player,
                       const std::int32_t* skipX, const std::int32_t* skipY, int skipCount,
                       int margin) {
  BestMoves best(outX, outY, extraAreaMoveSlots);
  offerArea(best, scoredArea(margin), keptAreaGains(player).raised, skipX, skipY, skipCount);
  return best.filled;
}

int rankAreaAndExtraMoves(std::int32_t* outX, std::int32_t* outY, int player, int margin) {
  const AreaBox area = scoredArea(margin);
  const PlayerAreaGains& gains = keptAreaGains(player);
  BestMoves best(outX, outY, areaMoveSlots);
  offerArea(best, area, gains.plain);
  // The gain of a square does not depend on which others are offered, so the raised
  // gains of the same catch-up serve the extra ranking.
  BestMoves extra(outX + best.filled, outY + best.filled, extraAreaMoveSlots);
  offerArea(extra, area, gains.raised, outX, outY, best.filled);
  return best.filled + extra.filled;
}

int rankListedMoves(std::int32_t* outX, std::int32_t* outY, int player, const std::int32_t* listX,
                    const std::int32_t* listY, int listCount) {
  BestMoves best(outX, outY, listedMoveSlots);
  // The kept gains are the trial gains of every square.
  const std::int32_t* gains = keptAreaGains(player).plain;
  for (int i = 0; i < listCount; ++i) {
    const int x = listX[i];
    const int y = listY[i];
    // A square off the board is never a move; reading it could leave the grid.
    if (isOnBoard(x, y) && cellAt(x, y) == 0) best.offer(x, y, gains[x * boardStride + y]);
  }
  return best.filled;
}

}  // namespace fivefold
