#include "threats/threat_patterns.h"

namespace fivefold {

namespace {

void addCost(PatternMatch& match, int x, int y) {
  match.costX[match.costCount] = x;
  match.costY[match.costCount] = y;
  match.costCount += 1;
}

}  // namespace

bool matchPattern(const Cell* board, int player, const char* pattern, int startX, int startY,
                  int dx, int dy, ThreatMode mode, PatternMatch& match) {
  match = PatternMatch{};
  if (*pattern == '\0') return false;
  const int opponent = otherSide(player);
  int shutEnds = 0;  // "e" cells that hold the opponent's stone
  int x = startX;
  int y = startY;
  for (const char* c = pattern; *c != '\0'; ++c, x += dx, y += dy) {
    const bool onBoard = isOnBoard(x, y);
    const Cell cell = onBoard ? board[x * boardStride + y] : 0;
    switch (*c) {
      case 'x':
        if (!onBoard) return false;
        if (cell == player) break;
        if (cell != 0 || mode != OneMissing || match.missingX != -1) return false;
        match.missingX = x;
        match.missingY = y;
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
        match.gainX = x;
        match.gainY = y;
        break;
      case 'e':
        shutEnds += onBoard && cell == opponent;
        break;
      default:  // '*'
        break;
    }
  }
  return shutEnds < 2;
}

}  // namespace fivefold
