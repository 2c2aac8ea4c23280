// The fourteen template strings that describe fours and threes along one line, and what a
// template's match on the board holds.
#pragma once

#include <cstdint>
#include <optional>

#include "core/grid.h"

namespace fivefold {

enum ThreatKind : std::int32_t { Three = 0, Four = 1 };
enum ThreatMode : std::int32_t { Exact = 0, OneMissing = 1 };

constexpr int threatPatternCount = 14;
constexpr int maxCostSquares = 5;

// Entry kind * 7 + number is pattern `number` of that kind. The order is fixed: the
// pattern number is part of every match's key and sets the order in which matches are
// listed.
// The alphabet: x own stone (or the one missing square), X own stone, o no own stone,
// O edge or opponent stone, _ empty, c empty cost square, g empty cost and gain square,
// * anything. Kept in the header so that the finder can compile them at build time.
inline constexpr const char* threatPatterns[threatPatternCount] = {
    "o_gxxxg_o", "*Ocxxxgco", "ocgxxxcO*", "ocgxxxc_X", "X_cxxxgco", "ocxxgxco*", "ocxgxxco*",
    "ogxxxxo*",  "*oxxxxgo",  "oxgxxxo*",  "oxxgxxo*",  "oxxxgxo*",  "X_xxxxgo",  "ogxxxx_X",
};

// Pattern count of Three, of Four, then window length of Three, of Four.
inline constexpr std::int32_t threatKindSizes[4] = {7, 7, 9, 8};

constexpr int patternsPerKind(ThreatKind kind) {
  return threatKindSizes[kind];
}
constexpr int windowLength(ThreatKind kind) {
  return threatKindSizes[kind + 2];
}
inline const char* patternTemplate(ThreatKind kind, int number) {
  return threatPatterns[kind * 7 + number];
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
