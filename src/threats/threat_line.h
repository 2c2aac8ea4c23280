// The finder's own matcher: the templates compiled into bit masks and laid on one line of
// the live board that was read once into bit sets. It answers as laying each template on the
// board cell by cell would (the tests hold that plain matcher); the finder tries seven
// templates on up to seventeen windows per line, so reading each cell once pays.
#pragma once

#include <bit>
#include <cstdint>
#include <utility>

#include "core/grid.h"
#include "core/line_words.h"
#include "threats/threat_patterns.h"

namespace fivefold {

// Cell i of a line is bit 2i of a LineBits word: the line is read with each cell's value
// in bits 2i and 2i + 1, and the sets below are worked out from that word at once.
using LineBits = std::uint64_t;

constexpr LineBits cellBit(int i) {
  return LineBits{1} << (2 * i);
}
inline bool holdsCell(LineBits bits, int i) {
  return (bits >> (2 * i)) & 1;
}

// The 3W - 2 cells (x, y) + (i - (W - 1)) * step(k), i = 0 .. 3W - 3, around one cell:
// every window of direction k within W - 1 steps of it. A cell outside the playing area
// is neither own nor empty, and blocking.
struct LineCells {
  LineBits own = 0;       // an own stone
  LineBits empty = 0;     // on the board and empty
  LineBits blocking = 0;  // off the board, or the opponent's stone
  LineBits opponent = 0;  // the opponent's stone
};

// The cells of direction k within the longer windows' reach of (x, y): the lines of both
// kinds are cut from this one read (see lineCells).
constexpr int lineReach = 8;
static_assert(lineReach == windowLength(Three) - 1 && windowLength(Four) - 1 <= lineReach);

inline LineAround readAround(int x, int y, int k) {
  return lineAround(x * boardStride + y, k, lineReach);
}

// The cells on the board sorted by value: the stones of value 1 and 2, and every cell that
// holds anything. Each cell is sorted on its own, so sorting a whole read and cutting a line
// from the sets afterwards gives the same cells as cutting it first.
struct SortedCells {
  LineBits first;     // value 1
  LineBits second;    // value 2
  LineBits occupied;  // not empty
};
inline SortedCells sortCells(LineBits cells, LineBits onBoard) {
  // Cell values 0 to 3, two bits each; only the cells on the board count.
  const LineBits values = cells & (onBoard * 3);
  const LineBits low = values & lowCellBits;
  const LineBits high = (values >> 1) & lowCellBits;
  return {low & ~high, high & ~low, low | high};
}

// The cells of a set (bit 2i for cell i) that lie on the line of windows of length W around
// the square. Reading W - 1 cells back is reading lineReach back and dropping the first
// lineReach - (W - 1); the cells past 3W - 3 are masked off.
inline LineBits cutLine(LineBits set, int w) {
  const int dropped = 2 * (lineReach - (w - 1));
  const LineBits lineCells = (cellBit(3 * w - 3) << 1) - 1;
  return (set >> dropped) & lineCells;
}

// The line of windows of length W around the square that `around` was read for.
inline LineCells lineCells(int player, LineAround around, int w) {
  const LineBits onBoard = cutLine(around.onBoard, w);
  const SortedCells sorted = sortCells(around.cells, around.onBoard);
  LineCells line;
  line.own = cutLine(player == 1 ? sorted.first : sorted.second, w);
  line.empty = onBoard & ~cutLine(sorted.occupied, w);
  line.opponent = cutLine(player == 1 ? sorted.second : sorted.first, w);
  line.blocking = line.opponent | (lowCellBits & ~onBoard);
  return line;
}

// One template as the cells of its window that it demands (cell i for character i), and
// where its marked squares lie in the window.
struct LineTemplate {
  LineBits own;       // "X"
  LineBits empty;     // "_", "c", "g"
  LineBits notOwn;    // "o"
  LineBits blocking;  // "O"
  LineBits stones;    // "x": own, or the one missing square
  LineBits ends;      // "e": not both the opponent's stones
  bool none;          // the empty template: matches nothing
  std::int32_t cost[maxCostSquares];
  std::int32_t costCount;
  std::int32_t gain;
};

constexpr LineTemplate compileTemplate(const char* pattern) {
  LineTemplate t{};
  t.none = pattern[0] == '\0';
  for (int i = 0; pattern[i] != '\0'; ++i) {
    const LineBits bit = cellBit(i);
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
      case 'e':
        t.ends |= bit;
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
  LineTemplate entries[fiveRuleCount][threatPatternCount];
};

constexpr LineTemplates compileAllTemplates() {
  LineTemplates all{};
  for (int rule = 0; rule < fiveRuleCount; ++rule) {
    for (int entry = 0; entry < threatPatternCount; ++entry) {
      all.entries[rule][entry] = compileTemplate(threatPatterns[rule][entry]);
    }
  }
  return all;
}

inline constexpr LineTemplates lineTemplates = compileAllTemplates();

inline const LineTemplate& lineTemplate(FiveRule rule, ThreatKind kind, int number) {
  return lineTemplates.entries[static_cast<int>(rule)][kind * 7 + number];
}

// Whether `t` matches the window that starts at cell `start` of `line`. On a match
// `missing` is the missing square's place in the window, or -1 when there is none.
inline bool matchLine(const LineCells& line, const LineTemplate& t, int start, ThreatMode mode,
                      int& missing) {
  const LineBits own = line.own >> (2 * start);
  const LineBits empty = line.empty >> (2 * start);
  const LineBits blocking = line.blocking >> (2 * start);
  if (t.none || (t.own & ~own) | (t.empty & ~empty) | (t.notOwn & own) | (t.blocking & ~blocking) ||
      (t.ends != 0 && (t.ends & ~(line.opponent >> (2 * start))) == 0)) {
    return false;
  }
  const LineBits lacking = t.stones & ~own;
  if (lacking == 0) {
    missing = -1;
    return true;
  }
  // One "x" may stand on an empty square in OneMissing mode; two never.
  if (mode != OneMissing || !std::has_single_bit(lacking) || (lacking & empty) == 0) {
    return false;
  }
  missing = std::countr_zero(lacking) / 2;
  return true;
}

// Every template of one kind laid on every window of a line at once: bit 2s of starts[p]
// is set when template p matches the window that starts at cell s (s = 0 .. 2W - 2), and
// `any` is the union of them.
struct LineMatches {
  LineBits starts[7];
  LineBits any;
};

namespace lineMatching {

// A template's characters are laid in two passes: first its stones ("x") and its cost
// squares ("c", "g": the empty squares every shape needs beside its stones), then the
// others, on the windows that passed the first. Most lines that reach the matcher hold no
// such shape anywhere, and then the second pass is not run; a window matches when it passes
// both, as when every character is laid at once.
enum class Pass { Shape, Rest };

constexpr Pass passOf(char c) {
  return c == 'x' || c == 'c' || c == 'g' ? Pass::Shape : Pass::Rest;
}

// Narrows `starts` by what character J of template P of rule R demands of cell J of the
// windows, if the character belongs to this pass. "x" demands an own stone, or in OneMissing
// mode an empty square; `some` and `several` collect the windows with one and with two or
// more such empty squares. "e" narrows `shut` to the windows whose "e" cells so far all hold
// the opponent's stone.
template <Pass S, int R, int P, ThreatMode M, int J>
inline void demand(const LineCells& line, LineBits& starts, LineBits& some, LineBits& several,
                   LineBits& shut) {
  constexpr char c = threatPatterns[R][P][J];
  // Bit 2s of these stands for cell s + J: the window that starts at s.
  const LineBits own = line.own >> (2 * J);
  const LineBits empty = line.empty >> (2 * J);
  if constexpr (passOf(c) != S) {
    return;
  } else if constexpr (c == 'x') {
    if constexpr (M == Exact) {
      starts &= own;
    } else {
      starts &= own | empty;
      several |= some & empty;
      some |= empty;
    }
  } else if constexpr (c == 'X') {
    starts &= own;
  } else if constexpr (c == '_' || c == 'c' || c == 'g') {
    starts &= empty;
  } else if constexpr (c == 'o') {
    starts &= ~own;
  } else if constexpr (c == 'O') {
    starts &= line.blocking >> (2 * J);
  } else if constexpr (c == 'e') {
    shut &= line.opponent >> (2 * J);
  }
}

constexpr bool hasEnds(const char* pattern) {
  for (; *pattern != '\0'; ++pattern) {
    if (*pattern == 'e') return true;
  }
  return false;
}

template <Pass S, int R, int P, ThreatMode M, int... J>
inline LineBits matchTemplate(const LineCells& line, LineBits starts,
                              std::integer_sequence<int, J...>) {
  if constexpr (threatPatterns[R][P][0] == '\0') {
    return 0;
  } else {
    LineBits some = 0;
    LineBits several = 0;
    LineBits shut = ~LineBits{0};
    (demand<S, R, P, M, J>(line, starts, some, several, shut), ...);
    if constexpr (S == Pass::Rest && hasEnds(threatPatterns[R][P])) starts &= ~shut;
    return starts & ~several;
  }
}

template <int R, ThreatKind K, ThreatMode M, int... P>
inline LineMatches matchKind(const LineCells& line, std::integer_sequence<int, P...>) {
  constexpr int w = windowLength(K);
  static_assert(sizeof...(P) == patternsPerKind(K));
  constexpr LineBits windowStarts = ((cellBit(2 * w - 2) << 1) - 1) & lowCellBits;  // 0 .. 2W - 2
  constexpr auto places = std::make_integer_sequence<int, w>();
  LineMatches matches;
  matches.any = 0;
  ((matches.starts[P] = matchTemplate<Pass::Shape, R, K * 7 + P, M>(line, windowStarts, places),
    matches.any |= matches.starts[P]),
   ...);
  if (matches.any == 0) return matches;
  matches.any = 0;
  ((matches.starts[P] = matchTemplate<Pass::Rest, R, K * 7 + P, M>(line, matches.starts[P], places),
    matches.any |= matches.starts[P]),
   ...);
  return matches;
}

}  // namespace lineMatching

template <FiveRule R, ThreatKind K, ThreatMode M>
inline LineMatches matchEveryWindow(const LineCells& line) {
  return lineMatching::matchKind<static_cast<int>(R), K, M>(line,
                                                            std::make_integer_sequence<int, 7>());
}

// The match of `t` at the window that starts at cell `start` of the line read around
// (x, y) in direction k, with `missing` as matchLine gave it.
PatternMatch linePatternMatch(const LineTemplate& t, int x, int y, int k, int w, int start,
                              int missing);

}  // namespace fivefold
