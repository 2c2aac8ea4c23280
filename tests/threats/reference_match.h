// One template laid on the board cell by cell: the plain matcher that the finder's bit-mask
// matcher (threats/threat_line.h) is checked against.
#pragma once

#include <optional>

#include "core/game_state.h"
#include "threats/threat_patterns.h"

namespace fivefold::testing {

// Lays `pattern` on the cells (startX + i * dx, startY + i * dy) of the board. Cells outside
// the playing area read as 0 and fail the characters that demand a square on the board. An
// empty pattern matches nothing.
inline std::optional<PatternMatch> matchPattern(int player, const char* pattern, int startX,
                                                int startY, int dx, int dy, ThreatMode mode) {
  if (pattern[0] == '\0') return std::nullopt;
  PatternMatch match;
  int shutEnds = 0;  // "e" squares holding the opponent's stone
  for (int i = 0; pattern[i] != '\0'; ++i) {
    const int x = startX + i * dx;
    const int y = startY + i * dy;
    const bool onBoard = isOnBoard(x, y);
    const Cell cell = onBoard ? cellAt(x, y) : 0;
    const bool empty = onBoard && cell == 0;
    switch (pattern[i]) {
      case 'x':
        if (onBoard && cell == player) break;
        if (!empty || mode != OneMissing || match.missing) return std::nullopt;
        match.missing = Square{x, y};
        break;
      case 'X':
        if (!onBoard || cell != player) return std::nullopt;
        break;
      case 'o':
        if (cell == player) return std::nullopt;
        break;
      case 'O':
        if (onBoard && cell != otherSide(player)) return std::nullopt;
        break;
      case '_':
      case 'c':
      case 'g':
        if (!empty) return std::nullopt;
        if (pattern[i] != '_') match.cost[match.costCount++] = {x, y};
        if (pattern[i] == 'g') match.gain = {x, y};
        break;
      case 'e':
        shutEnds += onBoard && cell == otherSide(player);
        break;
      default:  // '*'
        break;
    }
  }
  if (shutEnds == 2) return std::nullopt;
  return match;
}

}  // namespace fivefold::testing
