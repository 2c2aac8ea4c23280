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
#include <bit>
#include <cstdint>

#include "core/directions.h"
#include "core/game_rule.h"
#include "core/game_state.h"
#include "core/line_words.h"

namespace fivefold {

inline constexpr std::int32_t placeWeights[5] = {1, 4, 9, 4, 1};
inline constexpr std::int32_t countWeights[6] = {0, 1, 4, 9, 16, 1000000};
inline constexpr std::int32_t raisedCountWeights[6] = {0, 4, 9, 16, 25, 1000000};

constexpr int windowSquares = 7;      // border, five places, border
constexpr int windowPatterns = 2187;  // 3^7
inline constexpr int powersOfThree[windowSquares] = {1, 3, 9, 27, 81, 243, 729};

// Whether a window is live for the colour of `digit` (1 or 2), the other colour holding none of
// its five squares, when that colour's fives win by `rule`: an exact five is spoilt by a border
// square of its own colour (the five would be part of a longer line), and under caro a window
// whose border squares both hold the other colour can only become a five shut at both ends.
// digits[0] and digits[6] are the border squares.
constexpr bool windowLive(const int (&digits)[windowSquares], int digit, FiveRule rule) {
  const int other = 3 - digit;
  switch (rule) {
    case FiveRule::ExactFive:
      return digits[0] != digit && digits[6] != digit;
    case FiveRule::Caro:
      return digits[0] != other || digits[6] != other;
    default:
      return true;
  }
}

// Value of one window for the colour of digit 1 minus its value for the colour of digit 2,
// whose fives win by plusRule and minusRule. digits[0] and digits[6] are the border squares,
// digits[1..5] the places 0 to 4.
constexpr std::int32_t windowValue(const int (&digits)[windowSquares],
                                   const std::int32_t (&counts)[6],
                                   FiveRule plusRule = FiveRule::ExactFive,
                                   FiveRule minusRule = FiveRule::ExactFive) {
  int count[3] = {0, 0, 0};
  std::int32_t weight[3] = {0, 0, 0};
  for (int place = 0; place < 5; ++place) {
    count[digits[place + 1]] += 1;
    weight[digits[place + 1]] += placeWeights[place];
  }
  std::int32_t value = 0;
  if (count[2] == 0 && windowLive(digits, 1, plusRule)) value += counts[count[1]] * weight[1];
  if (count[1] == 0 && windowLive(digits, 2, minusRule)) value -= counts[count[2]] * weight[2];
  return value;
}

// Pattern index: digit j of the window has the weight 3^(6 - j), so that moving a window
// one square along its line is code = (code - first * 729) * 3 + next.
using PatternValues = std::array<std::int32_t, windowPatterns>;
constexpr PatternValues makePatternValues(const std::int32_t (&counts)[6],
                                          FiveRule plusRule = FiveRule::ExactFive,
                                          FiveRule minusRule = FiveRule::ExactFive) {
  PatternValues values{};
  for (int code = 0; code < windowPatterns; ++code) {
    int digits[windowSquares] = {};
    int rest = code;
    for (int j = windowSquares - 1; j >= 0; --j) {
      digits[j] = rest % 3;
      rest /= 3;
    }
    values[code] = windowValue(digits, counts, plusRule, minusRule);
  }
  return values;
}

// The value of every window pattern in the view of one side: digit 1 its stones, digit 2 the
// other side's, each colour's fives winning by the game's rule.
struct WindowValues {
  FiveRule plusRule = FiveRule::ExactFive;
  FiveRule minusRule = FiveRule::ExactFive;
  PatternValues plain = makePatternValues(countWeights);         // countWeights throughout
  PatternValues raised = makePatternValues(raisedCountWeights);  // raisedCountWeights
};

// [side - 1]: the view of side 1 (the engine), then of side 2. Process-wide, the tables of exact
// five at start-up; only takeUpRuleWindowValues changes them.
extern WindowValues windowValues[2];

// Makes windowValues those of the game's rule, where they are not yet. The incremental readers
// call it when they start afresh, which every change of the rule makes them do.
void takeUpRuleWindowValues();

// Digit of each Cell value (0 to 3) for the side counted plus: index 1 or 2.
inline constexpr std::uint8_t cellDigits[3][4] = {{0, 0, 0, 0}, {0, 1, 2, 0}, {0, 2, 1, 0}};

// Window codes straight from line words: a window's seven cells are fourteen bits of a
// word, and its code the sum of what its first four and its last three cells give, each
// read from a small table for the side counted plus (index 1 or 2).
struct WindowCodeTables {
  std::uint16_t firstFour[3][256];
  std::uint16_t lastThree[3][64];
};

// The base-3 number of the digits of `count` cells (two bits each, the first cell the most
// significant digit).
constexpr int digitsOfCells(int bits, int count, int side) {
  int code = 0;
  for (int j = 0; j < count; ++j) code = code * 3 + cellDigits[side][(bits >> (2 * j)) & 3];
  return code;
}

constexpr WindowCodeTables makeWindowCodeTables() {
  WindowCodeTables tables{};
  for (int side = 1; side <= 2; ++side) {
    for (int bits = 0; bits < 256; ++bits) {
      tables.firstFour[side][bits] = static_cast<std::uint16_t>(digitsOfCells(bits, 4, side) * 27);
    }
    for (int bits = 0; bits < 64; ++bits) {
      tables.lastThree[side][bits] = static_cast<std::uint16_t>(digitsOfCells(bits, 3, side));
    }
  }
  return tables;
}

inline constexpr WindowCodeTables windowCodeTables = makeWindowCodeTables();

// The code of the window whose seven cells are the low fourteen bits of `cells`.
inline int windowCode(LineWord cells, int side) {
  return windowCodeTables.firstFour[side][cells & 0xFF] +
         windowCodeTables.lastThree[side][(cells >> 8) & 0x3F];
}

// How far along a line a window that holds or borders a square reaches from it: six
// squares, the whole window less the square itself.
constexpr int windowReach = windowSquares - 1;

// The squares around a square along direction k that its windows can hold: cell
// u + windowReach of `cells` is the square at offset u (-windowReach .. windowReach), read
// from the line words of some grid; the square itself and squares off the playing area read
// 0. Window o covers offsets o .. o + windowReach, its five squares o + 1 .. o + 5; those with
// all five on the board run from firstOffset to lastOffset.
struct WindowCells {
  LineWord cells;
  int from, to;  // the squares in the playing area: offsets from .. to, a run through 0
  int firstOffset, lastOffset;
};

// Reads the cells; false if no window of direction k holds or borders the square.
inline bool readWindowCells(const LineWord* words, int index, int k, WindowCells& out) {
  constexpr LineWord reachedCells = (LineWord{1} << (2 * (2 * windowReach + 1))) - 1;
  constexpr LineWord centre = LineWord{3} << (2 * windowReach);
  LineAround around = lineAround(words, index, k, windowReach);
  const LineWord onBoard = around.onBoard & reachedCells;
  // The squares on the board form one run through the centre.
  out.from = std::countr_zero(onBoard) / 2 - windowReach;
  out.to = (63 - std::countl_zero(onBoard)) / 2 - windowReach;
  out.firstOffset = std::max(-windowReach, out.from - 1);
  out.lastOffset = std::min(0, out.to - 5);
  out.cells = around.cells & (onBoard * 3) & ~centre;
  return out.firstOffset <= out.lastOffset;
}

// Sum over the 28 windows whose squares contain the square at `index` or border it of
//   after[pattern with digit afterDigit there] - before[pattern with beforeDigit there],
// the other squares read from `words` for the side counted plus (1 or 2). Windows with a
// square off the playing area are left out; a border square off it counts as empty.
inline std::int32_t sumWindowChange(const LineWord* words, int index, int side, int beforeDigit,
                                    int afterDigit, const std::int32_t* before,
                                    const std::int32_t* after) {
  std::int32_t sum = 0;
  for (int k = 0; k < lineDirections; ++k) {
    WindowCells window;
    if (!readWindowCells(words, index, k, window)) continue;
    for (int o = window.firstOffset; o <= window.lastOffset; ++o) {
      const int code = windowCode(window.cells >> (2 * (o + windowReach)), side);
      const int centreWeight = powersOfThree[o + windowReach];
      sum += after[code + afterDigit * centreWeight] - before[code + beforeDigit * centreWeight];
    }
  }
  return sum;
}

}  // namespace fivefold
