#include "eval/move_scoring.h"

#include <algorithm>

#include "core/game_state.h"
#include "eval/area_gains.h"
#include "eval/best_moves.h"
#include "eval/point_evaluation.h"

namespace fivefold {

namespace {

AreaBox scoredArea(int margin) {
  const int width = gameState.width;
  const int height = gameState.height;
  // Or-ing whole rows and columns instead of testing square by square lets the compiler
  // run the scan without a branch per square.
  Cell columnUsed[boardStride] = {};
  int minX = width, maxX = 0, minY = height, maxY = 0;
  for (int x = 0; x < width; ++x) {
    const Cell* row = gameState.board + x * boardStride;
    Cell rowUsed = 0;
    for (int y = 0; y < height; ++y) {
      rowUsed |= row[y];
      columnUsed[y] |= row[y];
    }
    if (rowUsed != 0) {
      minX = std::min(minX, x);
      maxX = x;
    }
  }
  for (int y = 0; y < height; ++y) {
    if (columnUsed[y] != 0) {
      minY = std::min(minY, y);
      maxY = y;
    }
  }
  return {std::max(0, minX - margin), std::min(width, maxX + margin), std::max(0, minY - margin),
          std::min(height, maxY + margin)};
}

// The empty squares of the area and both their gain tables.
struct AreaSweep {
  AreaBox area;
  bool wanted[boardCells] = {};
  std::int32_t plainGains[boardCells];  // gainsOverArea writes the entries of the area
  std::int32_t raisedGains[boardCells];
};

void sweepArea(AreaSweep& sweep, int player, int margin) {
  const AreaBox& area = sweep.area = scoredArea(margin);
  for (int x = area.fromX; x < area.toX; ++x) {
    for (int y = area.fromY; y < area.toY; ++y) {
      sweep.wanted[x * boardStride + y] = cellAt(x, y) == 0;
    }
  }
  gainsOverArea(area, player, sweep.wanted, sweep.plainGains, sweep.raisedGains);
}

// Offers every wanted square of the area, in visiting order (x, then y, ascending).
void offerArea(BestMoves& best, const AreaSweep& sweep, const std::int32_t* gains) {
  const AreaBox& area = sweep.area;
  // Most squares score no more than the last kept one; a local copy of that score rejects
  // them with one compare (a write through best.x or best.y could alias best.score, so
  // the compiler would reload it). Every entry of the area is written, wanted or not.
  std::int32_t lowestKept = best.score[best.slots - 1];
  for (int x = area.fromX; x < area.toX; ++x) {
    for (int y = area.fromY; y < area.toY; ++y) {
      const int index = x * boardStride + y;
      if (gains[index] <= lowestKept || !sweep.wanted[index]) continue;
      best.offer(x, y, gains[index]);
      lowestKept = best.score[best.slots - 1];
    }
  }
}

// Takes the squares of skipX/skipY out of the offer.
void leaveOut(AreaSweep& sweep, const std::int32_t* skipX, const std::int32_t* skipY,
              int skipCount) {
  for (int i = 0; i < skipCount; ++i) {
    // A square off the board is never in the area; leaving it out keeps the index safe.
    if (isOnBoard(skipX[i], skipY[i])) sweep.wanted[skipX[i] * boardStride + skipY[i]] = false;
  }
}

}  // namespace

int rankAreaMoves(std::int32_t* outX, std::int32_t* outY, int player, int margin) {
  BestMoves best(outX, outY, areaMoveSlots);
  AreaSweep sweep;
  sweepArea(sweep, player, margin);
  offerArea(best, sweep, sweep.plainGains);
  return best.filled;
}

int rankExtraAreaMoves(std::int32_t* outX, std::int32_t* outY, int player,
                       const std::int32_t* skipX, const std::int32_t* skipY, int skipCount,
                       int margin) {
  BestMoves best(outX, outY, extraAreaMoveSlots);
  AreaSweep sweep;
  sweepArea(sweep, player, margin);
  leaveOut(sweep, skipX, skipY, skipCount);
  offerArea(best, sweep, sweep.raisedGains);
  return best.filled;
}

int rankAreaAndExtraMoves(std::int32_t* outX, std::int32_t* outY, int player, int margin) {
  AreaSweep sweep;
  sweepArea(sweep, player, margin);
  BestMoves best(outX, outY, areaMoveSlots);
  offerArea(best, sweep, sweep.plainGains);
  // The gain of a square does not depend on which others are offered, so the raised
  // table of the same sweep serves the extra ranking.
  leaveOut(sweep, outX, outY, best.filled);
  BestMoves extra(outX + best.filled, outY + best.filled, extraAreaMoveSlots);
  offerArea(extra, sweep, sweep.raisedGains);
  return best.filled + extra.filled;
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
