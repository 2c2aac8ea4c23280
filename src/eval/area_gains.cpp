#include "eval/area_gains.h"

#include <algorithm>

#include "eval/line_windows.h"

namespace fivefold {

namespace {

// One line of the board: its on-board squares from (x, y) on, `length` steps of
// (dx, dy). The window value does not depend on the direction a line is read in, so each
// of the four directions is walked in whichever sense keeps the start simple.
struct BoardLine {
  int x, y, dx, dy, length;
};

BoardLine lineOf(int direction, int c) {
  const int width = gameState.width;
  const int height = gameState.height;
  switch (direction) {
    case 0:  // y = c
      return {0, c, 1, 0, width};
    case 1:  // x = c
      return {c, 0, 0, 1, height};
    case 2: {  // x - y = c
      const int x = std::max(0, c);
      const int y = x - c;
      return {x, y, 1, 1, std::min(width - x, height - y)};
    }
    default: {  // x + y = c
      const int x = std::max(0, c - (height - 1));
      const int y = c - x;
      return {x, y, 1, -1, std::min(width - x, y + 1)};
    }
  }
}

// The lines of one direction that cross the box, as the range of c in lineOf.
void lineRange(int direction, const AreaBox& box, int& first, int& last) {
  switch (direction) {
    case 0:
      first = box.fromY, last = box.toY - 1;
      break;
    case 1:
      first = box.fromX, last = box.toX - 1;
      break;
    case 2:
      first = box.fromX - (box.toY - 1), last = (box.toX - 1) - box.fromY;
      break;
    default:
      first = box.fromX + box.fromY, last = (box.toX - 1) + (box.toY - 1);
      break;
  }
}

void gainsAlongLine(const BoardLine& line, const std::uint8_t* digitOf, const bool* wanted,
                    const std::int32_t* without, std::int32_t* gains) {
  // Positions -1 and length are the border squares off the board: empty, never wanted.
  std::uint8_t digit[maxBoardSize + 2] = {};
  std::uint8_t want[maxBoardSize + 2] = {};
  int cellIndex[maxBoardSize + 2] = {};
  const int step = line.dx * boardStride + line.dy;
  int index = line.x * boardStride + line.y;
  int anyWanted = 0;
  for (int p = 1; p <= line.length; ++p, index += step) {
    digit[p] = digitOf[gameState.board[index]];
    want[p] = wanted[index];
    anyWanted |= want[p];
    cellIndex[p] = index;
  }
  if (!anyWanted) return;
  // Window t holds positions t .. t+6 of the arrays above (t+1 .. t+5 its five squares);
  // the square at position t + j has the pattern weight 3^(6 - j), bit 6 - j of the mask.
  int code = 0;
  int mask = 0;
  for (int p = 0; p < windowSquares - 1; ++p) {
    code = code * 3 + digit[p];
    mask = mask << 1 | want[p];
  }
  const std::int32_t* with = countPatternValues.data();
  for (int t = 0; t + 5 <= line.length; ++t) {
    code = code * 3 + digit[t + 6];
    mask = (mask << 1 | want[t + 6]) & 127;
    if (mask != 0) {
      const std::int32_t base = without[code];
      for (int bits = mask; bits != 0; bits &= bits - 1) {
        const int bit = __builtin_ctz(bits);
        gains[cellIndex[t + 6 - bit]] += with[code + powersOfThree[bit]] - base;
      }
    }
    code -= digit[t] * powersOfThree[6];
  }
}

}  // namespace

void gainsOverArea(const AreaBox& box, int player, const bool* wanted,
                   const std::int32_t* withoutValues, std::int32_t* gains) {
  for (int x = box.fromX; x < box.toX; ++x) {
    for (int y = box.fromY; y < box.toY; ++y) gains[x * boardStride + y] = 0;
  }
  const std::uint8_t* digitOf = cellDigits[player == 1 ? 1 : 2];
  for (int direction = 0; direction < 4; ++direction) {
    int first = 0, last = -1;
    lineRange(direction, box, first, last);
    for (int c = first; c <= last; ++c) {
      const BoardLine line = lineOf(direction, c);
      if (line.length >= 5) gainsAlongLine(line, digitOf, wanted, withoutValues, gains);
    }
  }
}

}  // namespace fivefold
