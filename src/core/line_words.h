// Every line of the grid packed into one word: the line's cells in order along its
// direction, two bits each holding the cell's value (0 to 3). The words follow every write
// to the grid, so that reading the cells around a square along a line is a shift of one
// word instead of a loop over the grid. A second word per line marks the cells of the
// playing area (the low bit of each cell's two).
#pragma once

#include <array>
#include <cstdint>

#include "core/directions.h"
#include "core/grid.h"

namespace fivefold {

using LineWord = std::uint64_t;

// Bit 2i of every cell i: the low bit of each cell's two.
constexpr LineWord lowCellBits = 0x5555555555555555;

constexpr int gridSide = boardStride;
constexpr int lineWordCount = gridSide + gridSide + (2 * gridSide - 1) * 2;

// Where a square lies in the words: for each direction k = 0 .. 3 the word of its line and
// its cell number t along it; the cell t + 1 is one step further along direction k.
struct LinePlace {
  std::uint8_t word[lineDirections];
  std::uint8_t cell[lineDirections];
};

constexpr LinePlace linePlaceOf(int x, int y) {
  const int last = gridSide - 1;
  LinePlace place{};
  // k = 0, steps (-1, -1): the diagonals x - y, numbered from the far corner.
  place.word[0] = static_cast<std::uint8_t>(x - y + last);
  place.cell[0] = static_cast<std::uint8_t>(last - x);
  // k = 1, steps (0, -1): the columns x.
  place.word[1] = static_cast<std::uint8_t>(2 * gridSide - 1 + x);
  place.cell[1] = static_cast<std::uint8_t>(last - y);
  // k = 2, steps (+1, -1): the anti-diagonals x + y.
  place.word[2] = static_cast<std::uint8_t>(3 * gridSide - 1 + x + y);
  place.cell[2] = static_cast<std::uint8_t>(x);
  // k = 3, steps (+1, 0): the rows y.
  place.word[3] = static_cast<std::uint8_t>(5 * gridSide - 2 + y);
  place.cell[3] = static_cast<std::uint8_t>(x);
  return place;
}

inline constexpr std::array<LinePlace, boardCells> linePlaces = [] {
  std::array<LinePlace, boardCells> places{};
  for (int x = 0; x < gridSide; ++x) {
    for (int y = 0; y < gridSide; ++y) places[x * gridSide + y] = linePlaceOf(x, y);
  }
  return places;
}();

extern LineWord lineWords[lineWordCount];
extern LineWord linePlayingArea[lineWordCount];

// The square at grid index `index` changes from `before` to `after` in the line words
// `words` of a grid.
inline void updateLineWords(LineWord* words, int index, int before, int after) {
  const LinePlace& place = linePlaces[index];
  const LineWord flip = static_cast<LineWord>(before ^ after);
  for (int k = 0; k < lineDirections; ++k) words[place.word[k]] ^= flip << (2 * place.cell[k]);
}

// The cells of direction k around the square at `index`: cell i of a word is the cell
// i - back steps from the square, two bits each; beyond the grid's edge a cell reads 0 and
// lies outside the playing area.
struct LineAround {
  LineWord cells;    // the cell values
  LineWord onBoard;  // bit 2i: cell i lies in the playing area
};

// The line read from the words `words` of some grid (the live one, or a reader's copy of
// an earlier one), at most maxReadBack cells back. A line holds at most gridSide cells, so
// its word keeps room above them for that many more: raised by that room first, every read
// is one right shift, with no test for a read that starts before the line.
constexpr int maxReadBack = 8;
static_assert(2 * (gridSide + maxReadBack) <= 64);

inline LineAround lineAround(const LineWord* words, int index, int k, int back) {
  const LinePlace& place = linePlaces[index];
  const int word = place.word[k];
  const int shift = 2 * (place.cell[k] + maxReadBack - back);
  constexpr int room = 2 * maxReadBack;
  return {(words[word] << room) >> shift, (linePlayingArea[word] << room) >> shift};
}
// The line read from the live grid.
inline LineAround lineAround(int index, int k, int back) {
  return lineAround(lineWords, index, k, back);
}

// Whether the line of direction k through the square at `index` holds a stone (of any
// value) in the playing area.
inline bool lineOccupied(int index, int k) {
  const int word = linePlaces[index].word[k];
  return (lineWords[word] & (linePlayingArea[word] * 3)) != 0;
}
// The directions whose lines are the columns (x fixed) and the rows (y fixed).
constexpr int columnDirection = 1;
constexpr int rowDirection = 3;

void clearLineWords();

// Marks the cells of the playing area, width x height squares from (0, 0).
void markPlayingArea(int width, int height);

}  // namespace fivefold
