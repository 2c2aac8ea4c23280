#include "eval/area_gains.h"

#include <algorithm>
#include <array>

#include "core/board_changes.h"
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

// The start-up state for the current playing size: an empty snapshot and the gains of
// every square on the empty board.
void startAfresh(PlayerAreaGains& kept, const std::uint8_t* digitOf) {
  std::fill_n(kept.snapshot, boardCells, 0);
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) scoreFromScratch(kept, x, y, digitOf);
  }
}

// What one window gives each of its empty squares, for every window pattern: lane j is
// the value of the pattern with a stone counted plus on square j (square 0 the border
// before the window), less `without` of the pattern itself; 0 where square j is not empty.
// A square's kept gain is the sum of its lanes over the windows around it, so a change
// of one square moves it by the new pattern's lane less the old one's.
constexpr int gainLaneCount = 8;  // seven squares and a zero, a whole number of vectors
struct alignas(32) GainLanes {
  std::int32_t lane[gainLaneCount];
};

constexpr std::array<GainLanes, windowPatterns> makeGainLanes(
    const std::array<std::int32_t, windowPatterns>& without) {
  std::array<GainLanes, windowPatterns> lanes{};
  for (int code = 0; code < windowPatterns; ++code) {
    for (int j = 0; j < windowSquares; ++j) {
      const int weight = powersOfThree[windowSquares - 1 - j];
      if ((code / weight) % 3 != 0) continue;
      lanes[code].lane[j] = countPatternValues[code + weight] - without[code];
    }
  }
  return lanes;
}

constexpr std::array<GainLanes, windowPatterns> plainGainLanes = makeGainLanes(countPatternValues);
constexpr std::array<GainLanes, windowPatterns> raisedGainLanes =
    makeGainLanes(raisedPatternValues);

// The square (x, y) of the snapshot changes from digit `before` to `after`: every window
// that holds or borders it changes its pattern, and with it the gain it gives to each of
// its other empty squares.
void absorbChange(PlayerAreaGains& kept, int x, int y, const std::uint8_t* digitOf, int before,
                  int after) {
  const int centreIndex = x * boardStride + y;
  for (int k = 0; k < 4; ++k) {
    WindowLine window;
    if (!readWindowLine(kept.snapshot, x, y, k, digitOf, window)) continue;
    const int* line = window.digits;  // the changed square stays 0 here
    int emptyMask = 0;                // bit u + 6: an empty square other than the changed one
    for (int u = window.from; u <= window.to; ++u) {
      if (u != 0 && line[u + 6] == 0) emptyMask |= 1 << (u + 6);
    }
    // The changes are summed per square of the line first, then added to the kept gains;
    // squares that are not empty gather changes that are never added.
    std::int32_t plainChange[16] = {};
    std::int32_t raisedChange[16] = {};
    int start = window.firstOffset + 6;
    int code = 0;
    for (int j = 0; j < windowSquares; ++j) code = code * 3 + line[start + j];
    for (;;) {
      const int centreWeight = powersOfThree[start];
      const GainLanes& plainNew = plainGainLanes[code + after * centreWeight];
      const GainLanes& plainOld = plainGainLanes[code + before * centreWeight];
      const GainLanes& raisedNew = raisedGainLanes[code + after * centreWeight];
      const GainLanes& raisedOld = raisedGainLanes[code + before * centreWeight];
      // Lane j is the window's square j, line position start + j.
      for (int j = 0; j < gainLaneCount; ++j) {
        plainChange[start + j] += plainNew.lane[j] - plainOld.lane[j];
        raisedChange[start + j] += raisedNew.lane[j] - raisedOld.lane[j];
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
void catchUpGains(PlayerAreaGains& kept, const std::uint8_t* digitOf) {
  catchUp(
      kept.cursor, [&] { startAfresh(kept, digitOf); },
      [&](int x, int y, Cell oldCell, Cell newCell) {
        const int before = digitOf[oldCell];
        const int after = digitOf[newCell];
        kept.snapshot[x * boardStride + y] = newCell;
        if (before != after) absorbChange(kept, x, y, digitOf, before, after);
        // While the square held a stone its own gains were not kept. Its own cell in the
        // snapshot is not read for them, only the squares around it.
        if (before != 0 && after == 0) scoreFromScratch(kept, x, y, digitOf);
      });
}

}  // namespace

const PlayerAreaGains& keptAreaGains(int player) {
  const int side = player == 1 ? 1 : 2;
  PlayerAreaGains& kept = areaGains.players[side - 1];
  catchUpGains(kept, cellDigits[side]);
  return kept;
}

}  // namespace fivefold
