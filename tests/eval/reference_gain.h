// The point gain written out window by window, straight from the board: the measure the
// kept gains of the move scorers (eval/area_gains.h) are checked against.
#pragma once

#include <cstdint>

#include "core/game_state.h"
#include "eval/line_windows.h"

namespace fivefold::testing {

// Whether a window that holds no stone of the other colour counts for a colour whose fives
// win by `rule`, its border squares holding the colour (own) or the other one (other).
inline bool referenceLive(FiveRule rule, bool ownBorderA, bool ownBorderB, bool otherBorderA,
                          bool otherBorderB) {
  if (rule == FiveRule::ExactFive) return !ownBorderA && !ownBorderB;
  if (rule == FiveRule::Caro) return !(otherBorderA && otherBorderB);
  return true;
}

// The gain rule written out window by window, straight from the board, for comparison
// with the pattern tables, each colour's fives winning by the game's rule. `without` is the
// count table of the value without the stone.
inline std::int64_t referenceGain(int x, int y, int player, const std::int32_t (&without)[6]) {
  const int other = player == 1 ? 2 : 1;
  const FiveRule ownRule = gameState.fiveRules[player];
  const FiveRule otherRule = gameState.fiveRules[other];
  auto holds = [](int sx, int sy, int colour) {
    return isOnBoard(sx, sy) && cellAt(sx, sy) == colour;
  };
  std::int64_t sum = 0;
  for (int k = 0; k < 4; ++k) {
    const int dx = directionDx[k];
    const int dy = directionDy[k];
    for (int o = -6; o <= 0; ++o) {
      int n[3] = {}, w[3] = {}, nOther = 0, wOther = 0;  // nOther, wOther: player's, minus (x, y)
      bool inside = true;
      for (int place = 0; place < 5; ++place) {
        const int u = o + 1 + place;
        const int sx = x + u * dx;
        const int sy = y + u * dy;
        if (!isOnBoard(sx, sy)) inside = false;
        if (!inside) break;
        const Cell cell = cellAt(sx, sy);
        if (cell != player && cell != other) continue;
        const int side = cell == player ? 1 : 2;
        n[side] += 1;
        w[side] += placeWeights[place];
        if (side == 1 && u != 0) {
          nOther += 1;
          wOther += placeWeights[place];
        }
      }
      if (!inside) continue;
      const int ax = x + o * dx, ay = y + o * dy, bx = x + (o + 6) * dx, by = y + (o + 6) * dy;
      // With the stone the scored square holds it; without, a border on it holds nothing.
      const bool aIsSquare = o == 0, bIsSquare = o == -6;
      const bool aPlayer = holds(ax, ay, player), bPlayer = holds(bx, by, player);
      const bool aOther = holds(ax, ay, other), bOther = holds(bx, by, other);
      const bool aPlayerWithout = aPlayer && !aIsSquare, bPlayerWithout = bPlayer && !bIsSquare;
      if (n[2] == 0 && referenceLive(ownRule, aPlayer, bPlayer, aOther, bOther)) {
        sum += countWeights[n[1]] * w[1];
      }
      if (n[1] == 0 && referenceLive(otherRule, aOther, bOther, aPlayer, bPlayer)) {
        sum -= countWeights[n[2]] * w[2];
      }
      if (n[2] == 0 && referenceLive(ownRule, aPlayerWithout, bPlayerWithout, aOther, bOther)) {
        sum -= without[nOther] * wOther;
      }
      if (nOther == 0 && referenceLive(otherRule, aOther, bOther, aPlayerWithout, bPlayerWithout)) {
        sum += without[n[2]] * w[2];
      }
    }
  }
  return sum;
}

// Both gains of the player's stone on the empty square (x, y): the stone written there,
// valued without it by countWeights and by raisedCountWeights, and lifted again.
struct Gains {
  std::int64_t plain;
  std::int64_t raised;

  friend bool operator==(const Gains&, const Gains&) = default;
};
inline Gains gainsOfStone(int x, int y, int player) {
  setCell(x, y, player);
  const Gains gains{referenceGain(x, y, player, countWeights),
                    referenceGain(x, y, player, raisedCountWeights)};
  setCell(x, y, 0);
  return gains;
}

}  // namespace fivefold::testing
