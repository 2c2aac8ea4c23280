// The eight line directions, as steps (dx, dy): k = 0 .. 7 turn from (-1, -1) through
// (0, -1), (+1, -1), (+1, 0) and onwards; direction k + 4 is direction k reversed, so
// k = 0 .. 3 name every line of the board once.
#pragma once

namespace fivefold {

inline constexpr int directionDx[8] = {-1, 0, 1, 1, 1, 0, -1, -1};
inline constexpr int directionDy[8] = {-1, -1, -1, 0, 1, 1, 1, 0};
inline constexpr int lineDirections = 4;

// The coordinates n steps from x (or y) along direction k.
constexpr int offsetX(int x, int k, int n) {
  return x + n * directionDx[k];
}
constexpr int offsetY(int y, int k, int n) {
  return y + n * directionDy[k];
}

}  // namespace fivefold
