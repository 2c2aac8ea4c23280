// The grid every position lives on: 20 x 20 cells whatever the playing size, square (x, y)
// at index x * 20 + y, and the values a cell holds.
#pragma once

#include <cstdint>

namespace fivefold {

// 0 empty, 1 own stone, 2 opponent stone, 3 winning-line stone.
using Cell = std::int32_t;

constexpr int boardStride = 20;  // the grid is always 20 x 20, indexed x * 20 + y
constexpr int boardCells = boardStride * boardStride;
constexpr int minBoardSize = 5;
constexpr int maxBoardSize = 20;
constexpr int defaultBoardSize = maxBoardSize;  // the board of a game begun without a size

}  // namespace fivefold
