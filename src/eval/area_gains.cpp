#include "eval/area_gains.h"

#include <algorithm>

#include "eval/line_windows.h"

namespace fivefold {

namespace {

// One line of the board: its on-board squares from (x, y) on, `length` steps of
// (dx, dy), and the part of it inside the box, as the step numbers [enter, leave). The
// window value does not depend on the direction a line is read in, so each of the four
// directions is walked in whichever sense keeps the start simple.
struct BoardLine {
  int x, y, dx, dy, length;
  int enter, leave;
};

BoardLine lineOf(int direction, int c, const AreaBox& box) {
  const int width = gameState.width;
  const int height = gameState.height;
  switch (direction) {
    case 0:  // y = c
      return {0, c, 1, 0, width, box.fromX, box.toX};
    case 1:  // x = c
      return {c, 0, 0, 1, height, box.fromY, box.toY};
    case 2: {  // x - y = c
      const int x = std::max(0, c);
      const int y = x - c;
      return {x,
              y,
              1,
              1,
              std::min(width - x, height - y),
              std::max(box.fromX, box.fromY + c) - x,
              std::min(box.toX, box.toY + c) - x};
    }
    default: {  // x + y = c
      const int x = std::max(0, c - (height - 1));
      const int y = c - x;
      return {x,
              y,
              1,
              -1,
              std::min(width - x, y + 1),
              std::max(box.fromX, c - box.toY + 1) - x,
              std::min(box.toX, c - box.fromY + 1) - x};
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

// The value without the stone of each pattern under both tables side by side, so that a
// window's two lookups share a cache line.
struct WithoutValues {
  std::int32_t plain, raised;
};

constexpr std::array<WithoutValues, windowPatterns> makeWithoutValues() {
  std::array<WithoutValues, windowPatterns> values{};
  for (int code = 0; code < windowPatterns; ++code) {
    values[code] = {countPatternValues[code], raisedPatternValues[code]};
  }
  return values;
}

constexpr std::array<WithoutValues, windowPatterns> withoutValues = makeWithoutValues();

void gainsAlongLine(const BoardLine& line, const std::uint8_t* digitOf, const bool* wanted,
                    std::int32_t* plainGains, std::int32_t* raisedGains) {
  // Only the windows that hold a square of the box matter: those within six steps of it.
  // Array position p is step p - 1 of the line; positions outside [from, to] (squares too
  // far from the box, and the border squares off the board) stay empty and never wanted.
  const int from = std::max(1, line.enter + 1 - 6);
  const int to = std::min(line.length, line.leave + 6);
  std::uint8_t digit[maxBoardSize + 2] = {};
  std::uint8_t want[maxBoardSize + 2] = {};
  const int step = line.dx * boardStride + line.dy;
  const int start = line.x * boardStride + line.y - step;  // the cell index of position 0
  int anyWanted = 0;
  for (int p = from, index = start + from * step; p <= to; ++p, index += step) {
    digit[p] = digitOf[gameState.board[index]];
    // Only squares of the box are scored, whatever wanted holds beyond it.
    if (p > line.enter && p <= line.leave) {
      want[p] = wanted[index];
      anyWanted |= want[p];
    }
  }
  if (!anyWanted) return;
  // Window t holds positions t .. t+6 of the arrays above (t+1 .. t+5 its five squares);
  // the square at position t + j has the pattern weight 3^(6 - j), bit 6 - j of the mask.
  const int firstWindow = std::max(0, line.enter - 5);
  const int lastWindow = std::min(line.length - 5, line.leave);
  int code = 0;
  int mask = 0;
  for (int p = firstWindow; p < firstWindow + windowSquares - 1; ++p) {
    code = code * 3 + digit[p];
    mask = mask << 1 | want[p];
  }
  const std::int32_t* with = countPatternValues.data();
  for (int t = firstWindow; t <= lastWindow; ++t) {
    code = code * 3 + digit[t + 6];
    mask = (mask << 1 | want[t + 6]) & 127;
    if (mask != 0) {
      const WithoutValues base = withoutValues[code];
      for (int bits = mask; bits != 0; bits &= bits - 1) {
        const int bit = __builtin_ctz(bits);
        const std::int32_t value = with[code + powersOfThree[bit]];
        const int index = start + (t + 6 - bit) * step;
        plainGains[index] += value - base.plain;
        raisedGains[index] += value - base.raised;
      }
    }
    code -= digit[t] * powersOfThree[6];
  }
}

}  // namespace

void gainsOverArea(const AreaBox& box, int player, const bool* wanted, std::int32_t* plainGains,
                   std::int32_t* raisedGains) {
  for (int x = box.fromX; x < box.toX; ++x) {
    std::fill_n(plainGains + x * boardStride + box.fromY, box.toY - box.fromY, 0);
    std::fill_n(raisedGains + x * boardStride + box.fromY, box.toY - box.fromY, 0);
  }
  const std::uint8_t* digitOf = cellDigits[player == 1 ? 1 : 2];
  for (int direction = 0; direction < 4; ++direction) {
    int first = 0, last = -1;
    lineRange(direction, box, first, last);
    for (int c = first; c <= last; ++c) {
      const BoardLine line = lineOf(direction, c, box);
      if (line.length >= 5) gainsAlongLine(line, digitOf, wanted, plainGains, raisedGains);
    }
  }
}

}  // namespace fivefold
