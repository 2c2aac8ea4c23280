#include "eval/area_gains.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
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

// Adds (sign 1) or takes back (sign -1) one line's sums: every square on the board from
// cell `first` to `last` takes its sum. A square off the board is left alone: its cell
// borders windows inside, so its sum need not be zero, and its index could be another
// square's. The changed square's own sum is zero (its lanes set aside what it holds), so it
// needs no exception.
void applyLineChange(PlayerAreaGains& kept, int index, int k, const GainLineChange& line,
                     int sign) {
  // Pointer-wide steps: int ones cost a sign extension per cell for each address.
  const std::ptrdiff_t step = directionDx[k] * boardStride + directionDy[k];
  std::ptrdiff_t square = index + (line.first - windowReach) * step;
  const std::int32_t* addedRaised = line.raised + line.first;
  const std::int32_t* end = line.plain + line.last;
  for (const std::int32_t* added = line.plain + line.first; added <= end;
       ++added, ++addedRaised, square += step) {
    kept.plain[square] += sign * *added;
    kept.raised[square] += sign * *addedRaised;
  }
}

// The square at `index` of the snapshot changes from digit `before` to `after`: every
// window that holds or borders it changes its pattern, and with it the gain it gives to each
// of its other squares. What each line adds is kept in `change`. Kept out of line: inlined
// into the catch-up it runs slower (more instructions per window for the same sums).
[[gnu::noinline]] void absorbChange(PlayerAreaGains& kept, int index, int side, int before,
                                    int after, AbsorbedChange& change) {
  for (int k = 0; k < lineDirections; ++k) {
    GainLineChange& line = change.lines[k];
    WindowCells window;
    if (!readWindowCells(kept.snapshotLines, index, k, window)) {
      line.first = 1;
      line.last = 0;
      continue;
    }
    // The changes are summed per cell of the line first (cell u + windowReach the square at
    // offset u), then added to the kept gains. Window by window (the window at offset o
    // starts at cell o + windowReach), the running sums of cells start .. start + 7 are kept
    // in two Int4; after each window the first of them is final and the rest move down by
    // one cell, and after the last the eight left are stored whole.
    static_assert(gainLineCells == windowSquares + gainLaneCount);
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
      line.plain[start] = plain.addAndShift(added.plain, taken.plain);
      line.raised[start] = raised.addAndShift(added.raised, taken.raised);
    }
    plain.store(line.plain + windowSquares);
    raised.store(line.raised + windowSquares);
    line.first = window.from + windowReach;
    line.last = window.to + windowReach;
    applyLineChange(kept, index, k, line, 1);
  }
}

// Brings the player's kept gains up to the live board. The search puts stones and lifts
// them again in the reverse order, so most catch-ups lift the latest changes absorbed:
// those are taken back from the stack of absorbed changes, which restores the gains and the
// snapshot exactly as they were before them (the same sums subtracted that were added). The
// other changes are scored square by square against the snapshot as it stands with the
// earlier ones copied in; the gains depend only on the board, not on the order of the
// changes that led to it.
void catchUpGains(PlayerAreaGains& kept, int side) {
  struct Change {
    int index;
    Cell before, after;
  };
  Change changes[boardCells];
  int count = 0;
  catchUp(
      kept.cursor,
      [&] {
        startAfresh(kept, side);
        kept.absorbedCount = 0;
      },
      [&](int x, int y, Cell before, Cell after) {
        changes[count++] = {x * boardStride + y, before, after};
      });
  if (count == 0) return;
  // The top change can be taken back while its square holds again what it held before it;
  // then the snapshot's square agrees with the board, and the square is no change left.
  while (kept.absorbedCount > 0) {
    const AbsorbedChange& top = kept.absorbed[kept.absorbedCount - 1];
    if (gameState.board[top.index] != top.before) break;
    for (int k = 0; k < lineDirections; ++k) applyLineChange(kept, top.index, k, top.lines[k], -1);
    updateLineWords(kept.snapshotLines, top.index, top.after, top.before);
    for (int i = 0; i < count; ++i) {
      if (changes[i].index == top.index) changes[i].after = changes[i].before;
    }
    kept.absorbedCount -= 1;
  }
  for (int i = 0; i < count; ++i) {
    const Change change = changes[i];
    if (change.before == change.after) continue;
    // A full stack starts again from the gains as they stand: older changes are only taken
    // back by scoring them anew.
    if (kept.absorbedCount == absorbedChangeDepth) kept.absorbedCount = 0;
    AbsorbedChange& absorbed = kept.absorbed[kept.absorbedCount++];
    absorbed.index = change.index;
    absorbed.before = change.before;
    absorbed.after = change.after;
    // The changed square's own cell is not read for the gains around it. A change between
    // two cells of one digit (empty and a winning-line stone) moves no gain, but it is
    // stacked too, so that the snapshot is taken back cell by cell in order.
    updateLineWords(kept.snapshotLines, change.index, change.before, change.after);
    const int before = cellDigits[side][change.before];
    const int after = cellDigits[side][change.after];
    if (before != after) {
      absorbChange(kept, change.index, side, before, after, absorbed);
    } else {
      for (GainLineChange& line : absorbed.lines) {
        line.first = 1;
        line.last = 0;
      }
    }
  }
}

}  // namespace

const PlayerAreaGains& keptAreaGains(int player) {
  const int side = player == 1 ? 1 : 2;
  PlayerAreaGains& kept = areaGains.players[side - 1];
  catchUpGains(kept, side);
  return kept;
}

}  // namespace fivefold
