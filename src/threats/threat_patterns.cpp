#include "threats/threat_patterns.h"

namespace fivefold {

namespace {

void addCost(PatternMatch& match, int x, int y) {
  match.cost[match.costCount++] = {x, y};
}

}  // namespace

bool matchPattern(const Cell* board, int player, const char* pattern, int startX, int startY,
                  int dx, int dy, ThreatMode mode, PatternMatch& match) {
  match = PatternMatch{};
  const int opponent = otherSide(player);
  int x = startX;
  int y = startY;
  for (const char* c = pattern; *c != '\0'; ++c, x += dx, y += dy) {
    const bool onBoard = isOnBoard(x, y);
    const Cell cell = onBoard ? board[x * boardStride + y] : 0;
    switch (*c) {
      case 'x':
        if (!onBoard) return false;
        if (cell == player) break;
        if (cell != 0 || mode != OneMissing || match.missing) return false;
        match.missing = Square{x, y};
        break;
      case 'X':
        if (!onBoard || cell != player) return false;
        break;
      case 'o':
        if (cell == player) return false;
        break;
      case 'O':
        if (onBoard && cell != opponent) return false;
        break;
      case '_':
        if (!onBoard || cell != 0) return false;
        break;
      case 'c':
        if (!onBoard || cell != 0) return false;
        addCost(match, x, y);
        break;
      case 'g':
        if (!onBoard || cell != 0) return false;
        addCost(match, x, y);
        match.gain = {x, y};
        break;
      default:  // '*'
        break;
    }
  }
  return true;
}

}  // namespace fivefold
