// The grid every position lives on: 20 x 20 cells whatever the playing size, square (x, y)
// at index x * 20 + y, and the values a cell holds.
#pragma once

#include <cstdint>

namespace fivefold {

// 0 empty, 1 own stone, 2 opponent stone, 3 winning-line stone.
using Cell = std::int32_t;

// A square of the grid (it may lie beyond the playing area; the caller says when not).
struct Square {
  std::int32_t x = 0;
  std::int32_t y = 0;

  friend bool operator==(const Square&, const Square&) = default;
};

constexpr int boardStride = 20;  // the grid is always 20 x 20, indexed x * 20 + y
constexpr int boardCells = boardStride * boardStride;
constexpr int minBoardSize = 5;
constexpr int maxBoardSize = 20;
constexpr int defaultBoardSize = maxBoardSize;  // the board of a game begun without a size

}  // namespace fivefold
