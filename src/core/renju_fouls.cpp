#include "core/renju_fouls.h"

#include <bit>

#include "core/directions.h"
#include "core/game_state.h"
#include "core/line_words.h"

namespace fivefold {

namespace {

// A line through a square, read `reach` cells to either side: bit 2 (reach + n) is the cell n
// steps from the square along the direction (the spacing of the line words, so that a read is
// a few operations on one word).
constexpr int reach = 5;
constexpr int centre = reach;
using LineMask = std::uint64_t;
constexpr LineMask bitAt(int n) {
  return LineMask{1} << (2 * (centre + n));
}
// The cells from..to (offsets), both included.
constexpr LineMask cellsFrom(int from, int to) {
  return ((bitAt(to) << 2) - bitAt(from)) & lowCellBits;
}
constexpr LineMask readCells = cellsFrom(-reach, reach);

struct BlackLine {
  LineMask black;  // black stones, those supposed on the board included
  LineMask empty;  // empty squares of the playing area
};

// Squares supposed to hold black stones while a square is judged: the square itself and,
// in the tests of a three, the squares that lead to it.
struct Supposed {
  int x[boardCells];
  int y[boardCells];
  int count = 0;
};

BlackLine readLine(int x, int y, int k, const Supposed& supposed) {
  const LineAround around = lineAround(x * boardStride + y, k, reach);
  const LineWord cells = around.cells & (around.onBoard * 3);
  const LineWord low = cells & lowCellBits;
  const LineWord high = (cells >> 1) & lowCellBits;
  BlackLine line;
  line.black = (gameState.blackSide == 1 ? low & ~high : high & ~low) & readCells;
  line.empty = around.onBoard & ~(low | high) & readCells;
  const int dx = directionDx[k];
  const int dy = directionDy[k];
  for (int s = 0; s < supposed.count; ++s) {
    const int n = dx != 0 ? (supposed.x[s] - x) * dx : (supposed.y[s] - y) * dy;
    if (n < -reach || n > reach || x + n * dx != supposed.x[s] || y + n * dy != supposed.y[s]) {
      continue;
    }
    line.black |= bitAt(n);
    line.empty &= ~bitAt(n);
  }
  return line;
}

// The length of the run of black stones through the centre.
int runLength(LineMask black) {
  const LineMask pairs = black | (black << 1);  // a run of cells is a run of bits
  const int after = std::countr_one(pairs >> (2 * centre));
  const int before = std::countl_one(pairs << (64 - 2 * centre));
  return (after + before) / 2;
}

// The fours of a line through a black stone at its centre: the sets of four black stones
// that one more stone, on an empty square, makes an exact five with it, each counted once.
int foursIn(const BlackLine& line) {
  LineMask found[5];
  int count = 0;
  for (int start = -4; start <= 0; ++start) {
    const LineMask window = cellsFrom(start, start + 4);
    const LineMask stones = line.black & window;
    if (std::popcount(stones) != 4 || std::popcount(line.empty & window) != 1) continue;
    // The five must be exact: no black stone just beyond it.
    if (line.black & (bitAt(start - 1) | bitAt(start + 5))) continue;
    bool seen = false;
    for (int i = 0; i < count; ++i) seen |= found[i] == stones;
    if (!seen) found[count++] = stones;
  }
  return count;
}

// Whether black has a straight four in the line through the centre: four in a row with an
// empty square at each end, each completing an exact five.
bool straightFourIn(const BlackLine& line) {
  for (int first = -3; first <= 0; ++first) {
    const LineMask four = cellsFrom(first, first + 3);
    if ((line.black & four) != four) continue;
    if ((line.empty & bitAt(first - 1)) == 0 || (line.empty & bitAt(first + 4)) == 0) continue;
    if (line.black & (bitAt(first - 2) | bitAt(first + 5))) continue;
    return true;
  }
  return false;
}

Foul foulWith(int x, int y, Supposed& supposed);

// Whether a black stone on (x, y) makes an exact five, with the supposed stones.
bool makesFive(int x, int y, Supposed& supposed) {
  supposed.x[supposed.count] = x;
  supposed.y[supposed.count] = y;
  supposed.count += 1;
  bool five = false;
  for (int k = 0; k < lineDirections && !five; ++k) {
    five = runLength(readLine(x, y, k, supposed).black) == 5;
  }
  supposed.count -= 1;
  return five;
}

// Whether the line of direction k through (x, y), the black stone there supposed, holds a
// three: a square within it where one more black stone makes a straight four, is no foul and
// makes no five.
bool threeIn(int x, int y, int k, const BlackLine& line, Supposed& supposed) {
  for (int n = -3; n <= 3; ++n) {
    if ((line.empty & bitAt(n)) == 0) continue;
    if (!straightFourIn({line.black | bitAt(n), line.empty & ~bitAt(n)})) continue;
    const int tx = offsetX(x, k, n);
    const int ty = offsetY(y, k, n);
    if (makesFive(tx, ty, supposed)) continue;
    if (foulWith(tx, ty, supposed) != Foul::None) continue;
    return true;
  }
  return false;
}

// The foul of a black stone on (x, y), the stones in `supposed` taken as black; the square
// is pushed onto them while it is judged.
Foul foulWith(int x, int y, Supposed& supposed) {
  supposed.x[supposed.count] = x;
  supposed.y[supposed.count] = y;
  supposed.count += 1;
  BlackLine lines[lineDirections];
  bool five = false;
  bool overline = false;
  int fours = 0;
  // The lines with two other black stones near enough for a three or a four.
  bool crowdedLine[lineDirections];
  int crowded = 0;
  for (int k = 0; k < lineDirections; ++k) {
    lines[k] = readLine(x, y, k, supposed);
    const int run = runLength(lines[k].black);
    five |= run == 5;
    overline |= run > 5;
    constexpr LineMask near = cellsFrom(-4, 4) & ~bitAt(0);  // 4 steps each way
    crowdedLine[k] = std::popcount(lines[k].black & near) >= 2;
    crowded += crowdedLine[k];
  }
  // A double four is named before an overline that the same stone makes (judges do so),
  // and both before a double three. An overline's line is always crowded: its run holds at
  // least four more stones within four steps.
  Foul foul = Foul::None;
  if (!five && crowded >= 1) {
    int fourLines[lineDirections];
    for (int k = 0; k < lineDirections; ++k) {
      fourLines[k] = foursIn(lines[k]);
      fours += fourLines[k];
    }
    if (fours >= 2) {
      foul = Foul::DoubleFour;
    } else if (overline) {
      foul = Foul::Overline;
    } else if (crowded >= 2) {
      // Only a crowded line without a four can hold a three; the look ends as soon as two
      // are found, or too few lines are left for two.
      int threes = 0;
      int left = crowded;
      for (int k = 0; k < lineDirections && threes < 2 && threes + left >= 2; ++k) {
        if (!crowdedLine[k]) continue;
        left -= 1;
        if (fourLines[k] == 0 && threeIn(x, y, k, lines[k], supposed)) threes += 1;
      }
      if (threes >= 2) foul = Foul::DoubleThree;
    }
  }
  supposed.count -= 1;
  return foul;
}

}  // namespace

Foul renjuFoul(int x, int y) {
  // Most squares have no line with two other black stones near enough for a three or a
  // four (an overline has more): they are judged from the board's words alone.
  const int index = x * boardStride + y;
  const LineWord black = static_cast<LineWord>(gameState.blackSide);
  constexpr LineMask near = cellsFrom(-4, 4) & ~bitAt(0);
  int crowded = 0;
  for (int k = 0; k < lineDirections; ++k) {
    const LineAround around = lineAround(index, k, reach);
    const LineWord cells = around.cells & (around.onBoard * 3);
    // A cell holds black where its two bits equal black's value.
    const LineWord differs = cells ^ (black * lowCellBits);
    const LineWord blackCells = ~(differs | (differs >> 1)) & lowCellBits & near;
    crowded += std::popcount(blackCells) >= 2;
  }
  if (crowded == 0) return Foul::None;
  Supposed supposed;
  return foulWith(x, y, supposed);
}

const char* foulName(Foul foul) {
  switch (foul) {
    case Foul::DoubleThree:
      return "double-three";
    case Foul::DoubleFour:
      return "double-four";
    case Foul::Overline:
      return "overline";
    default:
      return "";
  }
}

}  // namespace fivefold
