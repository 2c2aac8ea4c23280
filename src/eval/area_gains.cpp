#include "eval/area_gains.h"

#include <algorithm>

#include "core/board_snapshot.h"
#include "eval/line_windows.h"

namespace fivefold {

AreaGainsState areaGains;

namespace {

void scoreFromScratch(PlayerAreaGains& kept, int x, int y, const std::uint8_t* digitOf) {
  const std::int32_t* with = countPatternValues.data();
  const int index = x * boardStride + y;
  kept.plain[index] = sumWindowChange(kept.snapshot, x, y, digitOf, 0, 1, with, with);
  kept.raised[index] =
      sumWindowChange(kept.snapshot, x, y, digitOf, 0, 1, raisedPatternValues.data(), with);
}

void startAfresh(PlayerAreaGains& kept, const std::uint8_t* digitOf) {
  kept.width = gameState.width;
  kept.height = gameState.height;
  std::fill_n(kept.snapshot, boardCells, 0);
  for (int x = 0; x < kept.width; ++x) {
    std::copy_n(gameState.board + x * boardStride, kept.height, kept.snapshot + x * boardStride);
  }
  for (int x = 0; x < kept.width; ++x) {
    for (int y = 0; y < kept.height; ++y) {
      if (digitOf[kept.snapshot[x * boardStride + y]] == 0) scoreFromScratch(kept, x, y, digitOf);
    }
  }
}

// The square (x, y) of the snapshot changes from digit `before` to `after`: every window
// that holds or borders it changes its pattern, and with it the gain it gives to each of
// its other empty squares.
void absorbChange(PlayerAreaGains& kept, int x, int y, const std::uint8_t* digitOf, int before,
                  int after) {
  const std::int32_t* with = countPatternValues.data();
  const int centreIndex = x * boardStride + y;
  for (int k = 0; k < 4; ++k) {
    WindowLine window;
    if (!readWindowLine(kept.snapshot, x, y, k, digitOf, window)) continue;
    const int* line = window.digits;  // the changed square stays 0 here
    int emptyMask = 0;                // bit u + 6: an empty square other than the changed one
    for (int u = window.from; u <= window.to; ++u) {
      if (u != 0 && line[u + 6] == 0) emptyMask |= 1 << (u + 6);
    }
    // The changes are summed per square of the line first, then added to the kept gains.
    std::int32_t plainChange[13] = {};
    std::int32_t raisedChange[13] = {};
    int start = window.firstOffset + 6;
    int code = 0;
    for (int j = 0; j < windowSquares; ++j) code = code * 3 + line[start + j];
    for (;;) {
      const int centreWeight = powersOfThree[start];
      const int oldCode = code + before * centreWeight;
      const int newCode = code + after * centreWeight;
      const std::int32_t plainBase = countPatternValues[newCode] - countPatternValues[oldCode];
      const std::int32_t raisedBase = raisedPatternValues[newCode] - raisedPatternValues[oldCode];
      // The window's seven squares, its borders too, are line positions start .. start+6;
      // the empty ones among them are the low bits of `squares`, the border before it bit 0.
      for (int squares = emptyMask >> start & 127; squares != 0; squares &= squares - 1) {
        const int place = __builtin_ctz(squares);
        const int position = start + place;
        const int weight = powersOfThree[6 - place];
        const std::int32_t withChange = with[newCode + weight] - with[oldCode + weight];
        plainChange[position] += withChange - plainBase;
        raisedChange[position] += withChange - raisedBase;
      }
      if (start == window.lastOffset + 6) break;
      code = (code - line[start] * powersOfThree[6]) * 3 + line[start + windowSquares];
      ++start;
    }
    for (int squares = emptyMask; squares != 0; squares &= squares - 1) {
      const int position = __builtin_ctz(squares);
      const int index = centreIndex + (position - 6) * window.step;
      kept.plain[index] += plainChange[position];
      kept.raised[index] += raisedChange[position];
    }
  }
}

// Brings the player's kept gains up to the live board, square by square against the
// snapshot as it stands with the earlier changes copied in.
void catchUp(PlayerAreaGains& kept, const std::uint8_t* digitOf) {
  if (kept.width != gameState.width || kept.height != gameState.height) {
    startAfresh(kept, digitOf);
    return;
  }
  absorbBoardChanges(kept.snapshot, [&](int x, int y, Cell oldCell, Cell newCell) {
    const int before = digitOf[oldCell];
    const int after = digitOf[newCell];
    if (before != after) absorbChange(kept, x, y, digitOf, before, after);
    // While the square held a stone its own gains were not kept. Its own cell in the
    // snapshot is not read for them, only the squares around it.
    if (before != 0 && after == 0) scoreFromScratch(kept, x, y, digitOf);
  });
}

}  // namespace

void gainsOverArea(const AreaBox& box, int player, const bool* wanted, std::int32_t* plainGains,
                   std::int32_t* raisedGains) {
  const int side = player == 1 ? 1 : 2;
  PlayerAreaGains& kept = areaGains.players[side - 1];
  catchUp(kept, cellDigits[side]);
  for (int x = box.fromX; x < box.toX; ++x) {
    for (int y = box.fromY; y < box.toY; ++y) {
      const int index = x * boardStride + y;
      plainGains[index] = wanted[index] ? kept.plain[index] : 0;
      raisedGains[index] = wanted[index] ? kept.raised[index] : 0;
    }
  }
}

void resetAreaGains() {
  areaGains = AreaGainsState{};
}

}  // namespace fivefold
