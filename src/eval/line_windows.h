// The five-square line windows shared by the point evaluation and the board evaluation:
// the weight tables, the value rule of one window and the sum of the window changes that
// one square's new contents cause.
//
// A window is looked at as seven squares along a line: its border square before it, its
// five squares (places 0 to 4) and its border square after it. Each square is reduced to a
// digit: 1 for the colour counted plus, 2 for the colour counted minus, 0 for an empty
// square, a winning-line stone (3) or a border square off the board. The seven digits form
// a base-3 pattern, and the value of every pattern is tabled once at compile time.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/directions.h"
#include "core/game_state.h"

namespace fivefold {

inline constexpr std::int32_t placeWeights[5] = {1, 4, 9, 4, 1};
inline constexpr std::int32_t countWeights[6] = {0, 1, 4, 9, 16, 1000000};
inline constexpr std::int32_t raisedCountWeights[6] = {0, 4, 9, 16, 25, 1000000};

constexpr int windowSquares = 7;      // border, five places, border
constexpr int windowPatterns = 2187;  // 3^7
inline constexpr int powersOfThree[windowSquares] = {1, 3, 9, 27, 81, 243, 729};

// Value of one window for the colour of digit 1 minus its value for the colour of digit 2.
// digits[0] and digits[6] are the border squares, digits[1..5] the places 0 to 4.
constexpr std::int32_t windowValue(const int (&digits)[windowSquares],
                                   const std::int32_t (&counts)[6]) {
  int count[3] = {0, 0, 0};
  std::int32_t weight[3] = {0, 0, 0};
  for (int place = 0; place < 5; ++place) {
    count[digits[place + 1]] += 1;
    weight[digits[place + 1]] += placeWeights[place];
  }
  std::int32_t value = 0;
  // A border square of the counted colour would make a filled window part of a longer line.
  if (count[2] == 0 && digits[0] != 1 && digits[6] != 1) value += counts[count[1]] * weight[1];
  if (count[1] == 0 && digits[0] != 2 && digits[6] != 2) value -= counts[count[2]] * weight[2];
  return value;
}

// Pattern index: digit j of the window has the weight 3^(6 - j), so that moving a window
// one square along its line is code = (code - first * 729) * 3 + next.
constexpr std::array<std::int32_t, windowPatterns> makePatternValues(
    const std::int32_t (&counts)[6]) {
  std::array<std::int32_t, windowPatterns> values{};
  for (int code = 0; code < windowPatterns; ++code) {
    int digits[windowSquares] = {};
    int rest = code;
    for (int j = windowSquares - 1; j >= 0; --j) {
      digits[j] = rest % 3;
      rest /= 3;
    }
    values[code] = windowValue(digits, counts);
  }
  return values;
}

inline constexpr std::array<std::int32_t, windowPatterns> countPatternValues =
    makePatternValues(countWeights);
inline constexpr std::array<std::int32_t, windowPatterns> raisedPatternValues =
    makePatternValues(raisedCountWeights);

// Digit of each Cell value (0 to 3) for the side counted plus: index 1 or 2.
inline constexpr std::uint8_t cellDigits[3][4] = {{0, 0, 0, 0}, {0, 1, 2, 0}, {0, 2, 1, 0}};

// The squares around (x, y) along direction k that its windows can hold: digits[u + 6] is
// the digit of the square at offset u (-6 .. 6), read from grid (stride 20) through
// digitOf; the square itself and squares off the playing area stay 0. Window o covers
// offsets o+1 .. o+5; those with all five on the board run from firstOffset to lastOffset.
struct WindowLine {
  int digits[13] = {};
  int from = 0, to = 0;  // the offsets on the board
  int firstOffset = 0, lastOffset = 0;
  int step = 0;  // grid index step of one offset
};

// Reads the line; false if no window of this direction holds or borders (x, y).
inline bool readWindowLine(const Cell* grid, int x, int y, int k, const std::uint8_t* digitOf,
                           WindowLine& line) {
  const int width = gameState.width;
  const int height = gameState.height;
  int behind = 0, ahead = 0;  // squares on the board behind (negative steps) and ahead
  switch (k) {
    case 0:
      behind = std::min(width - 1 - x, height - 1 - y), ahead = std::min(x, y);
      break;
    case 1:
      behind = height - 1 - y, ahead = y;
      break;
    case 2:
      behind = std::min(x, height - 1 - y), ahead = std::min(width - 1 - x, y);
      break;
    default:
      behind = x, ahead = width - 1 - x;
      break;
  }
  line.firstOffset = std::max(-6, -behind - 1);
  line.lastOffset = std::min(0, ahead - 5);
  if (line.firstOffset > line.lastOffset) return false;
  line.step = directionDx[k] * boardStride + directionDy[k];
  line.from = std::max(-6, -behind);
  line.to = std::min(6, ahead);
  const Cell* centre = grid + x * boardStride + y;
  for (int u = line.from; u < 0; ++u) line.digits[u + 6] = digitOf[centre[u * line.step]];
  for (int u = 1; u <= line.to; ++u) line.digits[u + 6] = digitOf[centre[u * line.step]];
  return true;
}

// Sum over the 28 windows whose squares contain (x, y) or border it of
//   after[pattern with digit afterDigit on (x, y)] - before[pattern with beforeDigit there],
// the other squares read from grid (stride 20) through digitOf. Windows with a square off
// the playing area are left out; a border square off it counts as empty.
inline std::int32_t sumWindowChange(const Cell* grid, int x, int y, const std::uint8_t* digitOf,
                                    int beforeDigit, int afterDigit, const std::int32_t* before,
                                    const std::int32_t* after) {
  std::int32_t sum = 0;
  for (int k = 0; k < 4; ++k) {
    WindowLine window;
    if (!readWindowLine(grid, x, y, k, digitOf, window)) continue;
    const int* line = window.digits;
    int start = window.firstOffset + 6;
    int code = 0;
    for (int j = 0; j < windowSquares; ++j) code = code * 3 + line[start + j];
    for (;;) {
      const int centreWeight = powersOfThree[start];
      sum += after[code + afterDigit * centreWeight] - before[code + beforeDigit * centreWeight];
      if (start == window.lastOffset + 6) break;
      code = (code - line[start] * powersOfThree[6]) * 3 + line[start + windowSquares];
      ++start;
    }
  }
  return sum;
}

}  // namespace fivefold
