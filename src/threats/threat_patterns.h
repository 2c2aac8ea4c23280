// The fourteen template strings that describe fours and threes along one line, one table of
// them for each way a colour's five wins, and what a template's match on the board holds.
#pragma once

#include <cstdint>
#include <optional>

#include "core/game_rule.h"
#include "core/grid.h"

namespace fivefold {

enum ThreatKind : std::int32_t { Three = 0, Four = 1 };
enum ThreatMode : std::int32_t { Exact = 0, OneMissing = 1 };

constexpr int threatPatternCount = 14;
constexpr int maxCostSquares = 5;

// One table per rule of a colour's five (FiveRule); entry kind * 7 + number of a table is
// pattern `number` of that kind. The order is fixed: the pattern number is part of every
// match's key and sets the order in which matches are listed.
// The alphabet: x own stone (or the one missing square), X own stone, o no own stone,
// O edge or opponent stone, _ empty, c empty cost square, g empty cost and gain square,
// e an end of a five (anything, but the two ends of a template are not both the opponent's
// stones), * anything. Kept in the header so that the finder can compile them at build time.
//
// Exact five: a four completes exactly five, with no own stone just beyond it, and a three
// makes a four both of whose completions are exact fives. Five or more: the same shapes
// without the cells that keep an own stone from lengthening the line; the threes that only
// told a three apart from an overline beside it (numbers 3 and 4) are then the open three of
// number 0 again, and name no shape of their own (an empty template, which never matches).
// Caro: a four's five must not be shut by the opponent at both ends; a three's fours have an
// empty square at either end, so its threes are those of five or more.
inline constexpr const char* threatPatterns[fiveRuleCount][threatPatternCount] = {
    {"o_gxxxg_o", "*Ocxxxgco", "ocgxxxcO*", "ocgxxxc_X", "X_cxxxgco", "ocxxgxco*", "ocxgxxco*",
     "ogxxxxo*", "*oxxxxgo", "oxgxxxo*", "oxxgxxo*", "oxxxgxo*", "X_xxxxgo", "ogxxxx_X"},
    {"*_gxxxg_*", "*Ocxxxgc*", "*cgxxxcO*", "", "", "*cxxgxc**", "*cxgxxc**",  //
     "*gxxxx**", "**xxxxg*", "*xgxxx**", "*xxgxx**", "*xxxgx**", "X_xxxxg*", "*gxxxx_X"},
    {"*_gxxxg_*", "*Ocxxxgc*", "*cgxxxcO*", "", "", "*cxxgxc**", "*cxgxxc**",  //
     "egxxxxe*", "*exxxxge", "exgxxxe*", "exxgxxe*", "exxxgxe*", "X_xxxxg*", "*gxxxx_X"},
};

// Pattern count of Three, of Four, then window length of Three, of Four.
inline constexpr std::int32_t threatKindSizes[4] = {7, 7, 9, 8};

constexpr int patternsPerKind(ThreatKind kind) {
  return threatKindSizes[kind];
}
constexpr int windowLength(ThreatKind kind) {
  return threatKindSizes[kind + 2];
}
inline const char* patternTemplate(FiveRule rule, ThreatKind kind, int number) {
  return threatPatterns[static_cast<int>(rule)][kind * 7 + number];
}

struct PatternMatch {
  // OneMissing mode: the one "x" square still empty, the move that makes the threat; none
  // when every "x" holds an own stone.
  std::optional<Square> missing;
  // The last "g": the move that completes five (a four) or makes an open four (a three).
  Square gain;
  // The "c" and "g" squares in window order; (0, 0) past costCount.
  Square cost[maxCostSquares] = {};
  std::int32_t costCount = 0;

  friend bool operator==(const PatternMatch&, const PatternMatch&) = default;
};

}  // namespace fivefold
