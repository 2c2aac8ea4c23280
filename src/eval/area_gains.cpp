#include "eval/area_gains.h"

#include <algorithm>
#include <array>
#include <bit>
#include <iterator>

#include "core/board_changes.h"
#include "core/int_lanes.h"
#include "eval/line_windows.h"

namespace fivefold {

AreaGainsState areaGains;

namespace {

void scoreFromScratch(PlayerAreaGains& kept, int index, int side) {
  const std::int32_t* with = countPatternValues.data();
  kept.plain[index] = sumWindowChange(kept.snapshotLines, index, side, 0, 1, with, with);
  kept.raised[index] =
      sumWindowChange(kept.snapshotLines, index, side, 0, 1, raisedPatternValues.data(), with);
}

// The start-up state for the current playing size: an empty snapshot and the gains of
// every square on the empty board.
void startAfresh(PlayerAreaGains& kept, int side) {
  std::fill(std::begin(kept.snapshotLines), std::end(kept.snapshotLines), LineWord{0});
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) scoreFromScratch(kept, x * boardStride + y, side);
  }
}

// What one window gives each of its squares, for every window pattern: lane j is the value
// of the pattern with a stone counted plus on square j (square 0 the border before the
// window), less `without` of the pattern with square j empty; whatever square j holds is
// set aside. A square's kept gain is the sum of its lanes over the windows around it, so a
// change of another square moves it by the new pattern's lane less the old one's, and a
// change of the square itself leaves it as it is: the gains of occupied squares are kept
// too, ready for when the square is emptied again. The plain and the raised lanes of a
// pattern lie side by side, so that one look-up serves both.
constexpr int gainLaneCount = 8;  // seven squares and a zero: two whole Int4
struct alignas(64) GainLanes {
  std::int32_t plain[gainLaneCount];   // `without` the plain pattern values
  std::int32_t raised[gainLaneCount];  // `without` the raised ones
};

constexpr std::array<GainLanes, windowPatterns> makeGainLanes() {
  std::array<GainLanes, windowPatterns> lanes{};
  for (int code = 0; code < windowPatterns; ++code) {
    for (int j = 0; j < windowSquares; ++j) {
      const int weight = powersOfThree[windowSquares - 1 - j];
      const int emptied = code - (code / weight) % 3 * weight;
      const std::int32_t with = countPatternValues[emptied + weight];
      lanes[code].plain[j] = with - countPatternValues[emptied];
      lanes[code].raised[j] = with - raisedPatternValues[emptied];
    }
  }
  return lanes;
}

constexpr std::array<GainLanes, windowPatterns> gainLanes = makeGainLanes();

// Running sums of gain lanes over consecutive windows of a line: lanes i of `low` and
// `high` are line cells first + i and first + 4 + i, where `first` is the line cell of the
// next window's first square.
struct LaneSums {
  Int4 low = splatInt4(0);
  Int4 high = splatInt4(0);

  // Adds the window's lanes `added` less `taken`, and returns the sum of cell `first`, which
  // no later window reaches; the others move down one lane.
  std::int32_t addAndShift(const std::int32_t* added, const std::int32_t* taken) {
    low = low + (loadInt4(added) - loadInt4(taken));
    high = high + (loadInt4(added + 4) - loadInt4(taken + 4));
    const std::int32_t done = firstLane(low);
    low = shiftDownInt4(low, high);
    high = shiftDownInt4(high, splatInt4(0));
    return done;
  }

  void store(std::int32_t* out) const {
    storeInt4(out, low);
    storeInt4(out + 4, high);
  }
};

// The square at `index` of the snapshot changes from digit `before` to `after`: every
// window that holds or borders it changes its pattern, and with it the gain it gives to each
// of its other squares.
void absorbChange(PlayerAreaGains& kept, int index, int side, int before, int after) {
  for (int k = 0; k < lineDirections; ++k) {
    WindowCells window;
    if (!readWindowCells(kept.snapshotLines, index, k, window)) continue;
    // The changes are summed per cell of the line first (cell u + windowReach the square at
    // offset u), then added to the kept gains. Window by window (the window at offset o
    // starts at cell o + windowReach), the running sums of cells start .. start + 7 are kept
    // in two Int4; after each window the first of them is final and the rest move down by
    // one cell, and after the last the eight left are stored whole.
    constexpr int cellCount = windowSquares + gainLaneCount;
    std::int32_t plainChange[cellCount];
    std::int32_t raisedChange[cellCount];
    LaneSums plain;
    LaneSums raised;
    // A window that leaves the board changes nothing: its new pattern is its old one.
    const int firstInside = window.firstOffset + windowReach;
    const int lastInside = window.lastOffset + windowReach;
    for (int start = 0; start < windowSquares; ++start) {
      const bool inside = start >= firstInside && start <= lastInside;
      const int code = windowCode(window.cells >> (2 * start), side);
      const int centreWeight = powersOfThree[start];
      const int oldCode = code + before * centreWeight;
      const int newCode = inside ? code + after * centreWeight : oldCode;
      const GainLanes& added = gainLanes[newCode];
      const GainLanes& taken = gainLanes[oldCode];
      plainChange[start] = plain.addAndShift(added.plain, taken.plain);
      raisedChange[start] = raised.addAndShift(added.raised, taken.raised);
    }
    plain.store(plainChange + windowSquares);
    raised.store(raisedChange + windowSquares);
    // Every square on the board from offset `from` to `to` takes its sum. A square off the
    // board is left alone: its cell borders windows inside, so its sum need not be zero,
    // and its index could be another square's. The changed square's own sum is zero (its
    // lanes set aside what it holds), so it needs no exception.
    const int step = directionDx[k] * boardStride + directionDy[k];
    int square = index + window.from * step;
    for (int cell = window.from + windowReach; cell <= window.to + windowReach;
         ++cell, square += step) {
      kept.plain[square] += plainChange[cell];
      kept.raised[square] += raisedChange[cell];
    }
  }
}

// Brings the player's kept gains up to the live board, square by square against the
// snapshot as it stands with the earlier changes copied in.
void catchUpGains(PlayerAreaGains& kept, int side) {
  catchUp(
      kept.cursor, [&] { startAfresh(kept, side); },
      [&](int x, int y, Cell oldCell, Cell newCell) {
        const int index = x * boardStride + y;
        const int before = cellDigits[side][oldCell];
        const int after = cellDigits[side][newCell];
        // The changed square's own cell is not read for the gains around it.
        updateLineWords(kept.snapshotLines, index, oldCell, newCell);
        if (before != after) absorbChange(kept, index, side, before, after);
      });
}

}  // namespace

const PlayerAreaGains& keptAreaGains(int player) {
  const int side = player == 1 ? 1 : 2;
  PlayerAreaGains& kept = areaGains.players[side - 1];
  catchUpGains(kept, side);
  return kept;
}

}  // namespace fivefold
