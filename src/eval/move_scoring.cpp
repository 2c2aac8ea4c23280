#include "eval/move_scoring.h"

#include <algorithm>

#include "eval/area_gains.h"
#include "eval/line_windows.h"
#include "eval/point_evaluation.h"
#include "protocol/game_state.h"

namespace fivefold {

namespace {

constexpr std::int32_t unsetScore = -2000000;

// The best `slots` squares seen so far, sorted by descending score; a later square moves
// above an earlier one only with a strictly greater score.
struct BestMoves {
  std::int32_t* x;
  std::int32_t* y;
  int slots;
  int filled = 0;
  std::int32_t score[listedMoveSlots] = {};

  BestMoves(std::int32_t* outX, std::int32_t* outY, int count) : x(outX), y(outY), slots(count) {
    std::fill(score, score + slots, unsetScore);
  }

  void offer(int squareX, int squareY, std::int32_t value) {
    if (value <= score[slots - 1]) return;
    // Only the filled slots move, so no slot past the reported ones is ever written.
    int i = filled < slots ? filled++ : slots - 1;
    while (i > 0 && score[i - 1] < value) {
      score[i] = score[i - 1];
      x[i] = x[i - 1];
      y[i] = y[i - 1];
      --i;
    }
    score[i] = value;
    x[i] = squareX;
    y[i] = squareY;
  }
};

AreaBox scoredArea(int margin) {
  const int width = gameState.width;
  const int height = gameState.height;
  int minX = width, maxX = 0, minY = height, maxY = 0;
  for (int x = 0; x < width; ++x) {
    const Cell* row = gameState.board + x * boardStride;
    for (int y = 0; y < height; ++y) {
      if (row[y] == 0) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  return {std::max(0, minX - margin), std::min(width, maxX + margin), std::max(0, minY - margin),
          std::min(height, maxY + margin)};
}

// Offers every wanted square of the area, in visiting order (x, then y, ascending).
void offerArea(BestMoves& best, const AreaBox& area, int player, const bool* wanted,
               const std::int32_t* withoutValues) {
  std::int32_t gains[boardCells];  // gainsOverArea writes the entries of the area
  gainsOverArea(area, player, wanted, withoutValues, gains);
  for (int x = area.fromX; x < area.toX; ++x) {
    for (int y = area.fromY; y < area.toY; ++y) {
      if (wanted[x * boardStride + y]) best.offer(x, y, gains[x * boardStride + y]);
    }
  }
}

void markEmptySquares(const AreaBox& area, bool* wanted) {
  for (int x = area.fromX; x < area.toX; ++x) {
    for (int y = area.fromY; y < area.toY; ++y) wanted[x * boardStride + y] = cellAt(x, y) == 0;
  }
}

}  // namespace

int rankAreaMoves(std::int32_t* outX, std::int32_t* outY, int player, int margin) {
  BestMoves best(outX, outY, areaMoveSlots);
  const AreaBox area = scoredArea(margin);
  bool wanted[boardCells] = {};
  markEmptySquares(area, wanted);
  offerArea(best, area, player, wanted, countPatternValues.data());
  return best.filled;
}

int rankExtraAreaMoves(std::int32_t* outX, std::int32_t* outY, int player,
                       const std::int32_t* skipX, const std::int32_t* skipY, int skipCount,
                       int margin) {
  BestMoves best(outX, outY, extraAreaMoveSlots);
  const AreaBox area = scoredArea(margin);
  bool wanted[boardCells] = {};
  markEmptySquares(area, wanted);
  for (int i = 0; i < skipCount; ++i) {
    // A square off the board is never in the area; leaving it out keeps the index safe.
    if (isOnBoard(skipX[i], skipY[i])) wanted[skipX[i] * boardStride + skipY[i]] = false;
  }
  offerArea(best, area, player, wanted, raisedPatternValues.data());
  return best.filled;
}

int rankListedMoves(std::int32_t* outX, std::int32_t* outY, int player, const std::int32_t* listX,
                    const std::int32_t* listY, int listCount) {
  BestMoves best(outX, outY, listedMoveSlots);
  for (int i = 0; i < listCount; ++i) {
    const int x = listX[i];
    const int y = listY[i];
    // A square off the board is never a move; reading it could leave the grid.
    if (isOnBoard(x, y) && cellAt(x, y) == 0) best.offer(x, y, trialGain(x, y, player));
  }
  return best.filled;
}

}  // namespace fivefold
