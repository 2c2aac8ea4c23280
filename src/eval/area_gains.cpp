#include "eval/area_gains.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <iterator>

#include "core/board_changes.h"
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
// too, ready for when the square is emptied again.
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
      const int emptied = code - (code / weight) % 3 * weight;
      lanes[code].lane[j] = countPatternValues[emptied + weight] - without[emptied];
    }
  }
  return lanes;
}

constexpr std::array<GainLanes, windowPatterns> plainGainLanes = makeGainLanes(countPatternValues);
constexpr std::array<GainLanes, windowPatterns> raisedGainLanes =
    makeGainLanes(raisedPatternValues);

// Sums of gain lanes over consecutive windows of a line: lanes i of `low` and `high` are
// line cells first + i and first + 4 + i, where `first` is the line cell of the next
// window's first square.
using FourLanes = std::int32_t __attribute__((vector_size(16)));

struct LaneSums {
  FourLanes low, high;

  static FourLanes load(const std::int32_t* lanes) {
    FourLanes v;
    std::memcpy(&v, lanes, sizeof v);
    return v;
  }

  // Adds the window's lanes `added` less `taken`, and returns the sum of cell `first`, which
  // no later window reaches; the others move down one lane.
  std::int32_t addAndShift(const GainLanes& added, const GainLanes& taken) {
    low += load(added.lane) - load(taken.lane);
    high += load(added.lane + 4) - load(taken.lane + 4);
    const std::int32_t done = low[0];
    const FourLanes zero{};
    low = __builtin_shufflevector(low, high, 1, 2, 3, 4);
    high = __builtin_shufflevector(high, zero, 1, 2, 3, 4);
    return done;
  }

  void store(std::int32_t* out) const {
    std::memcpy(out, &low, sizeof low);
    std::memcpy(out + 4, &high, sizeof high);
  }
};

// The square at `index` of the snapshot changes from digit `before` to `after`: every
// window that holds or borders it changes its pattern, and with it the gain it gives to each
// of its other squares.
void absorbChange(PlayerAreaGains& kept, int index, int side, int before, int after) {
  for (int k = 0; k < lineDirections; ++k) {
    WindowCells window;
    if (!readWindowCells(kept.snapshotLines, index, k, window)) continue;
    // Bit 2(u + 6): the square at offset u is on the board and is not the changed one.
    const LineWord others = window.onBoard & ~(LineWord{1} << 12);
    // The changes are summed per square of the line first, then added to the kept gains;
    // the changed square's own sum is never added. Window by window,
    // the running sums of line cells start .. start + 7 are kept in two vectors of four;
    // after each window the first of them is final and the rest move down by one cell.
    std::int32_t plainChange[16];
    std::int32_t raisedChange[16];
    LaneSums plain{};
    LaneSums raised{};
    for (int start = 0; start <= 6; ++start) {
      // A window that leaves the board changes nothing: its new pattern is its old one.
      const bool inside = start >= window.firstOffset + 6 && start <= window.lastOffset + 6;
      const int code = windowCode(window.cells >> (2 * start), side);
      const int centreWeight = powersOfThree[start];
      const int oldCode = code + before * centreWeight;
      const int newCode = inside ? code + after * centreWeight : oldCode;
      plainChange[start] = plain.addAndShift(plainGainLanes[newCode], plainGainLanes[oldCode]);
      raisedChange[start] = raised.addAndShift(raisedGainLanes[newCode], raisedGainLanes[oldCode]);
    }
    plain.store(plainChange + 7);
    raised.store(raisedChange + 7);
    const int step = directionDx[k] * boardStride + directionDy[k];
    for (LineWord squares = others; squares != 0; squares &= squares - 1) {
      const int cell = std::countr_zero(squares) / 2;
      const int square = index + (cell - 6) * step;
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
