#include "eval/area_gains.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <utility>

#include "core/board_changes.h"
#include "core/int_lanes.h"
#include "eval/line_windows.h"

namespace fivefold {

AreaGainsState areaGains;

namespace {

void scoreFromScratch(PlayerAreaGains& kept, int index, int side) {
  const WindowValues& values = windowValues[side - 1];
  const std::int32_t* with = values.plain.data();
  kept.plain[index] = sumWindowChange(kept.snapshotLines, index, side, 0, 1, with, with);
  kept.raised[index] =
      sumWindowChange(kept.snapshotLines, index, side, 0, 1, values.raised.data(), with);
}

// The line reach of every square for the current playing size.
void measureLineReach() {
  for (int index = 0; index < boardCells; ++index) {
    for (int k = 0; k < lineDirections; ++k) {
      WindowCells window;
      const bool any = readWindowCells(linePlayingArea, index, k, window);
      LineReach& reach = areaGains.reach[index][k];
      reach.cells = window.cells * 3;  // both bits of every cell on the area
      reach.inside = any ? static_cast<std::uint8_t>((2u << (window.lastOffset + windowReach)) -
                                                     (1u << (window.firstOffset + windowReach)))
                         : 0;
      reach.head = static_cast<std::uint8_t>(
          window.from > -windowReach ? window.from - 1 + windowReach : gainLineCells - 1);
      reach.tail = static_cast<std::uint8_t>(window.to < windowReach ? window.to + 1 + windowReach
                                                                     : gainLineCells - 1);
    }
  }
}

// What one window gives each of its squares: lane j is the value of the window's pattern
// with a stone counted plus on square j (square 0 the border before the window), less
// `without` of the pattern with square j empty; whatever square j holds is set aside. A
// square's kept gain is the sum of its lanes over the windows around it, so a change of
// another square moves it by the new pattern's lane less the old one's, and a change of the
// square itself leaves it as it is: the gains of occupied squares are kept too, ready for
// when the square is emptied again.
std::int32_t gainLane(int code, int j, const PatternValues& with, const PatternValues& without) {
  const int weight = powersOfThree[windowSquares - 1 - j];
  const int emptied = code - (code / weight) % 3 * weight;
  return with[emptied + weight] - without[emptied];
}

constexpr int otherSquares = windowSquares - 1;
constexpr int otherPatterns = windowPatterns / 3;  // 3^6

// A line's sums are kept in Int4 of four cells each: cells 0 .. 3, 4 .. 7 and so on.
constexpr int sumGroups = gainLineCells / 4;
// A window starting at cell `start` of the line reaches its cells start .. start + 6 in
// two or three groups, from group start / 4 on.
constexpr int windowGroups(int start) {
  return start % 4 < 2 ? 2 : 3;
}

// What a stone put on one square of a window adds to the window's lanes, for every pattern
// of the window's other six squares: the lanes of the pattern with the stone less those
// without it. Lifting the stone takes the same lanes back. An entry is one look-up per
// window and change (instead of two patterns' lanes and their difference), and it holds
// the lanes already placed in the groups of line cells that the window reaches, so that a
// window costs an add per group and kind of lanes, and no shift: the plain groups, then
// the raised ones, the cells outside the window zero (the stone's own lane is zero too).
//
// The table runs by the stone's digit (1 or 2), the window's start on the 13-cell line
// around the stone (the stone at place 6 - start) and the code of the other six squares in
// line order (the first the most significant digit); a last entry of zeros serves the
// windows that leave the board. Built when the kept gains first start, and again when a rule
// changes the window values: 790 kB of constants would weigh on every download of the browser
// build.
constexpr int outsideEntry = otherPatterns;
constexpr int entryInts(int start) {
  return 2 * 4 * windowGroups(start);
}
constexpr int startOffset(int start) {
  return start == 0 ? 0 : startOffset(start - 1) + (otherPatterns + 1) * entryInts(start - 1);
}
constexpr int digitInts = startOffset(windowSquares);

}  // namespace

struct alignas(64) StoneLaneTable {
  // The view of the window values the lanes were built from.
  FiveRule plusRule = FiveRule::ExactFive;
  FiveRule minusRule = FiveRule::ExactFive;
  bool built = false;
  alignas(64) std::int32_t ints[2][digitInts] = {};

  void build(const WindowValues& values) {
    plusRule = values.plusRule;
    minusRule = values.minusRule;
    built = true;
    const PatternValues& plain = values.plain;
    const PatternValues& raised = values.raised;
    for (int digit = 1; digit <= 2; ++digit) {
      for (int start = 0; start < windowSquares; ++start) {
        const int place = windowSquares - 1 - start;
        const int weight = powersOfThree[start];  // the stone's place in the window's code
        const int groups = windowGroups(start);
        for (int others = 0; others < otherPatterns; ++others) {
          // The six digits around the stone's place: those above it move up one digit.
          const int empty = others / weight * weight * 3 + others % weight;
          const int with = empty + digit * weight;
          std::int32_t* entry = ints[digit - 1] + startOffset(start) + others * entryInts(start);
          for (int i = 0; i < 4 * groups; ++i) {
            const int j = start / 4 * 4 + i - start;  // the cell's place in the window
            if (j < 0 || j >= windowSquares || j == place) continue;
            entry[i] = gainLane(with, j, plain, plain) - gainLane(empty, j, plain, plain);
            entry[4 * groups + i] =
                gainLane(with, j, plain, raised) - gainLane(empty, j, plain, raised);
          }
        }
      }
    }
  }

  bool builtFrom(const WindowValues& values) const {
    return built && plusRule == values.plusRule && minusRule == values.minusRule;
  }
};

namespace {

// The tables of the two views, at fixed addresses (so that their loads fold into the adds),
// each built when first needed. Under every rule but renju both sides see the same window
// values and share the first; the second serves renju's other side.
StoneLaneTable laneTables[2];

// The table of the side's view of the game's rule, built if need be: keeps the table the
// other side uses.
int laneTableOfView(int side) {
  const WindowValues& values = windowValues[side - 1];
  for (int table = 0; table < 2; ++table) {
    if (laneTables[table].builtFrom(values)) return table;
  }
  const int free = laneTables[0].builtFrom(windowValues[2 - side]) ? 1 : 0;
  laneTables[free].build(values);
  return free;
}

// The code of six cells of a line word (two bits each, the first cell the most significant
// digit), for the side whose stones are cell value 1.
const std::array<std::uint16_t, 1 << (2 * otherSquares)> sixCellCodes = [] {
  std::array<std::uint16_t, 1 << (2 * otherSquares)> codes{};
  for (int bits = 0; bits < 1 << (2 * otherSquares); ++bits) {
    codes[bits] = static_cast<std::uint16_t>(digitsOfCells(bits, otherSquares, 1));
  }
  return codes;
}();

// Cell values 1 and 2 swapped: the line seen by the side whose stones are value 2
// (winning-line stones, 3, stay, and count for neither side).
LineWord swapColours(LineWord cells) {
  return ((cells & lowCellBits) << 1) | ((cells >> 1) & lowCellBits);
}

// The sums of one line's cells, four to an Int4: plain, then raised.
struct LineSums {
  Int4 plain[sumGroups];
  Int4 raised[sumGroups];
};

// Adds (sign 1) or takes back (sign -1) one line's sums to the gains of the squares along
// direction k around `plain` and `raised`. Every cell is added, the changed square's own
// excepted (its lanes set aside what it holds, so its sum is zero): a cell off the playing
// area adds zero, and the gains' margin holds the cells beyond the grid. With the cells
// and the step known when compiled, each cell costs two loads and two adds.
template <int sign, int k>
void applyLineChange(std::int32_t* plain, std::int32_t* raised, const GainLineChange& line) {
  constexpr std::ptrdiff_t step = directionDx[k] * boardStride + directionDy[k];
#pragma GCC unroll 13
  for (int cell = 0; cell <= 2 * windowReach; ++cell) {
    if (cell == windowReach) continue;
    plain[(cell - windowReach) * step] += sign * line.plain[cell];
    raised[(cell - windowReach) * step] += sign * line.raised[cell];
  }
}

template <int sign>
void applyChange(PlayerAreaGains& kept, const AbsorbedChange& change) {
  std::int32_t* plain = kept.plain + change.index;
  std::int32_t* raised = kept.raised + change.index;
  applyLineChange<sign, 0>(plain, raised, change.lines[0]);
  applyLineChange<sign, 1>(plain, raised, change.lines[1]);
  applyLineChange<sign, 2>(plain, raised, change.lines[2]);
  applyLineChange<sign, 3>(plain, raised, change.lines[3]);
}

void applyChange(PlayerAreaGains& kept, const AbsorbedChange& change, int sign) {
  if (sign > 0) {
    applyChange<1>(kept, change);
  } else if (sign < 0) {
    applyChange<-1>(kept, change);
  }
}

// Adds the lanes of window `start` to the sums: lanesOf(offset, add) calls add(put, lifted)
// with the window's entry at `offset` of the table of the stone put, and of the stone
// lifted where a stone turned into the other side's (else null); their difference is added.
template <int start, typename LanesOf>
void addWindow(LineSums& sums, LineWord others, unsigned inside, LanesOf lanesOf) {
  constexpr int groups = windowGroups(start);
  constexpr LineWord sixCells = (LineWord{1} << (2 * otherSquares)) - 1;
  const int code =
      (inside >> start) & 1 ? sixCellCodes[(others >> (2 * start)) & sixCells] : outsideEntry;
  lanesOf(startOffset(start) + code * entryInts(start),
          [&](const std::int32_t* put, const std::int32_t* lifted) {
            for (int g = 0; g < groups; ++g) {
              Int4 plain = loadInt4(put + 4 * g);
              Int4 raised = loadInt4(put + 4 * (groups + g));
              if (lifted != nullptr) {
                plain = plain - loadInt4(lifted + 4 * g);
                raised = raised - loadInt4(lifted + 4 * (groups + g));
              }
              sums.plain[start / 4 + g] = sums.plain[start / 4 + g] + plain;
              sums.raised[start / 4 + g] = sums.raised[start / 4 + g] + raised;
            }
          });
}

// Sums the lanes of the windows of one line that change with the square at its centre cell
// into `line`, the windows' lanes given by lanesOf (see addWindow). `cells` are the line's
// cells on the playing area, the centre's left out.
//
// A window that leaves the board changes nothing (its pattern stays what it was): it takes
// the entry of zeros. Off the board, only the border cells of the first and the last window
// inside can have a sum; they are cleared.
template <typename LanesOf>
void sumLineChange(LineWord cells, const LineReach& reach, int side, GainLineChange& line,
                   LanesOf lanesOf) {
  if (side != 1) cells = swapColours(cells);
  // The twelve cells around the centre, its own taken out: window `start`'s other six
  // squares are cells start .. start + 5 of them.
  constexpr LineWord belowCentre = (LineWord{1} << (2 * windowReach)) - 1;
  const LineWord others =
      (cells & belowCentre) | (cells >> (2 * windowReach + 2) << (2 * windowReach));
  LineSums sums;
  for (int g = 0; g < sumGroups; ++g) sums.plain[g] = sums.raised[g] = splatInt4(0);
  [&]<int... start>(std::integer_sequence<int, start...>) {
    (addWindow<start>(sums, others, reach.inside, lanesOf), ...);
  }
  (std::make_integer_sequence<int, windowSquares>());
  for (int g = 0; g < sumGroups; ++g) {
    storeInt4(line.plain + 4 * g, sums.plain[g]);
    storeInt4(line.raised + 4 * g, sums.raised[g]);
  }
  line.plain[reach.head] = 0;
  line.raised[reach.head] = 0;
  line.plain[reach.tail] = 0;
  line.raised[reach.tail] = 0;
}

// The start-up state for the current playing size: an empty snapshot and the gains of
// every square on the empty board.
void startAfresh(PlayerAreaGains& kept, int side) {
  takeUpRuleWindowValues();
  kept.laneTable = laneTableOfView(side);
  measureLineReach();
  std::fill(std::begin(kept.snapshotLines), std::end(kept.snapshotLines), LineWord{0});
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) scoreFromScratch(kept, x * boardStride + y, side);
  }
}

// The square at `index` of the snapshot changes from digit `before` to `after` (for the
// side counted plus): every window that holds or borders it changes its pattern, and with
// it the gain it gives to each of its other squares. What each line adds is kept in
// `change`; a stone lifted (after 0) takes back the sums of the stone put, and a stone
// that turns into the other side's adds the lanes of the one less those of the other. Kept
// out of line: inlined into the catch-up it runs slower (more instructions per window for
// the same sums).
//
// Compiled for each table, whose address is then known (the first serves every rule but
// renju).
template <int table>
[[gnu::noinline]] void absorbStone(PlayerAreaGains& kept, int index, int side, int before,
                                   int after, AbsorbedChange& change) {
  // The tables of the stone put and of the stone lifted, by their digits (1 or 2).
  const StoneLaneTable& lanes = laneTables[table];
  const std::int32_t* put = lanes.ints[(after != 0 ? after : before) == 2];
  const std::int32_t* lifted = lanes.ints[(before != 0 ? before : after) == 2];
  change.sign = after != 0 ? 1 : -1;
  for (int k = 0; k < lineDirections; ++k) {
    GainLineChange& line = change.lines[k];
    const LineReach& reach = areaGains.reach[index][k];
    // The line's cells from the snapshot, the square's own on cell 6.
    const LineWord cells =
        lineAround(kept.snapshotLines, index, k, windowReach).cells & reach.cells;
    if (before != 0 && after != 0) {
      sumLineChange(cells, reach, side, line,
                    [&](int offset, auto add) { add(put + offset, lifted + offset); });
    } else {
      sumLineChange(cells, reach, side, line,
                    [&](int offset, auto add) { add(put + offset, nullptr); });
    }
  }
  applyChange(kept, change, change.sign);
}

// The square at `index` of the snapshot changes from cell value `before` to `after`: the
// change is absorbed and stacked.
void absorbCell(PlayerAreaGains& kept, int index, int side, Cell before, Cell after) {
  // A full stack starts again from the gains as they stand: older changes are only taken
  // back by scoring them anew.
  if (kept.absorbedCount == absorbedChangeDepth) kept.absorbedCount = 0;
  AbsorbedChange& absorbed = kept.absorbed[kept.absorbedCount++];
  absorbed.index = index;
  absorbed.before = before;
  absorbed.after = after;
  // The changed square's own cell is not read for the gains around it. A change between
  // two cells of one digit (empty and a winning-line stone) moves no gain, but it is
  // stacked too, so that the snapshot is taken back cell by cell in order.
  updateLineWords(kept.snapshotLines, index, before, after);
  const int digitBefore = cellDigits[side][before];
  const int digitAfter = cellDigits[side][after];
  if (digitBefore != digitAfter) {
    if (kept.laneTable == 0) {
      absorbStone<0>(kept, index, side, digitBefore, digitAfter, absorbed);
    } else {
      absorbStone<1>(kept, index, side, digitBefore, digitAfter, absorbed);
    }
  } else {
    // Stacked with no sums: taking it back leaves the gains as they are.
    absorbed.sign = 0;
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
    applyChange(kept, top, -top.sign);
    updateLineWords(kept.snapshotLines, top.index, top.after, top.before);
    for (int i = 0; i < count; ++i) {
      if (changes[i].index == top.index) changes[i].after = changes[i].before;
    }
    kept.absorbedCount -= 1;
  }
  for (int i = 0; i < count; ++i) {
    const Change change = changes[i];
    if (change.before == change.after) continue;
    absorbCell(kept, change.index, side, change.before, change.after);
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
