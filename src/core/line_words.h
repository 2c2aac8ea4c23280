// Every line of the grid packed into one word: the line's cells in order along its
// direction, two bits each holding the cell's value (0 to 3). The words follow every write
// to the grid, so that reading the cells around a square along a line is a shift of one
// word instead of a loop over the grid.
#pragma once

#include <array>
#include <cstdint>

#include "core/directions.h"
#include "core/grid.h"

namespace fivefold {

using LineWord = std::uint64_t;

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

// The square at grid index `index` changes from `before` to `after`.
inline void updateLineWords(int index, int before, int after) {
  const LinePlace& place = linePlaces[index];
  const LineWord flip = static_cast<LineWord>(before ^ after);
  for (int k = 0; k < lineDirections; ++k) lineWords[place.word[k]] ^= flip << (2 * place.cell[k]);
}

// The cells of direction k around the square at `index`: cell i of the result is the cell
// i - back steps from the square (two bits each; 0 beyond the grid's edge).
inline LineWord lineCellsAround(int index, int k, int back) {
  const LinePlace& place = linePlaces[index];
  const LineWord word = lineWords[place.word[k]];
  const int shift = 2 * (place.cell[k] - back);
  return shift >= 0 ? word >> shift : word << -shift;
}

void clearLineWords();

}  // namespace fivefold
