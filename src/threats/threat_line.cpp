#include "threats/threat_line.h"

#include "threats/threat_finder.h"

namespace fivefold {

namespace {

LineTemplate compileTemplate(const char* pattern) {
  LineTemplate t{};
  for (int i = 0; pattern[i] != '\0'; ++i) {
    const std::uint32_t bit = 1u << i;
    switch (pattern[i]) {
      case 'x':
        t.stones |= bit;
        break;
      case 'X':
        t.own |= bit;
        break;
      case 'o':
        t.notOwn |= bit;
        break;
      case 'O':
        t.blocking |= bit;
        break;
      case '_':
        t.empty |= bit;
        break;
      case 'c':
      case 'g':
        t.empty |= bit;
        t.cost[t.costCount++] = i;
        if (pattern[i] == 'g') t.gain = i;  // the last "g" is the gain square
        break;
      default:  // '*'
        break;
    }
  }
  return t;
}

struct LineTemplates {
  LineTemplate entries[threatPatternCount];
};

LineTemplates compileAll() {
  LineTemplates all{};
  for (int entry = 0; entry < threatPatternCount; ++entry) {
    all.entries[entry] = compileTemplate(threatPatterns[entry]);
  }
  return all;
}

// The template strings are constants, set before any code runs, so compiling them here
// at start-up is safe.
const LineTemplates lineTemplates = compileAll();

}  // namespace

const LineTemplate& lineTemplate(ThreatKind kind, int number) {
  return lineTemplates.entries[kind * 7 + number];
}

LineCells readLine(int player, int x, int y, int k, int w) {
  const int opponent = player == 1 ? 2 : 1;
  const int dx = directionDx[k];
  const int dy = directionDy[k];
  const int length = 3 * w - 2;
  int cx = offsetX(x, k, -(w - 1));
  int cy = offsetY(y, k, -(w - 1));
  LineCells line;
  for (int i = 0; i < length; ++i, cx += dx, cy += dy) {
    const std::uint32_t bit = 1u << i;
    if (!isOnBoard(cx, cy)) {
      line.blocking |= bit;
      continue;
    }
    const Cell cell = gameState.board[cx * boardStride + cy];
    if (cell == player) line.own |= bit;
    if (cell == 0) line.empty |= bit;
    if (cell == opponent) line.blocking |= bit;
  }
  return line;
}

PatternMatch linePatternMatch(const LineTemplate& t, int x, int y, int k, int w, int start,
                              int missing) {
  // Place i of the window is cell start + i of the line, which lies start + i - (W - 1)
  // steps from (x, y).
  const int first = start - (w - 1);
  PatternMatch match;
  if (missing >= 0) {
    match.missingX = offsetX(x, k, first + missing);
    match.missingY = offsetY(y, k, first + missing);
  }
  match.gainX = offsetX(x, k, first + t.gain);
  match.gainY = offsetY(y, k, first + t.gain);
  for (int c = 0; c < t.costCount; ++c) {
    match.costX[c] = offsetX(x, k, first + t.cost[c]);
    match.costY[c] = offsetY(y, k, first + t.cost[c]);
  }
  match.costCount = t.costCount;
  return match;
}

}  // namespace fivefold
