// The rule of the game: which lines win. The manager names it with INFO rule, a bit mask that
// holds until changed; the engine reads it from the game state, where it decides the value of
// the line windows, the threat templates and, under renju, black's forbidden points.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fivefold {

enum class GameRule : std::int32_t {
  ExactFive,  // exactly five in a row wins; six or more is nothing
  Freestyle,  // five or more wins
  Caro,       // six or more wins, or exactly five not shut by the opponent at both ends
  Renju,      // black wins with exactly five and may not make a double three, a double four or an
              // overline; white wins with five or more
};

// How a line of one colour wins: the form the windows and the templates take for it.
enum class FiveRule : std::int32_t {
  ExactFive,   // exactly five: an own stone beyond a five spoils it
  FiveOrMore,  // five or more
  Caro,        // five or more, but an exact five with the opponent's stones at both ends is none
};
constexpr int fiveRuleCount = 3;

constexpr FiveRule fiveRuleOf(GameRule rule, bool black) {
  switch (rule) {
    case GameRule::Freestyle:
      return FiveRule::FiveOrMore;
    case GameRule::Caro:
      return FiveRule::Caro;
    case GameRule::Renju:
      return black ? FiveRule::ExactFive : FiveRule::FiveOrMore;
    default:
      return FiveRule::ExactFive;
  }
}

// The rule an INFO rule value names. The bits: 1 exactly five, 2 a continuous game (read and
// ignored), 4 renju, 8 caro; 0 is freestyle. `known` is false for any other value, which is
// played as exact five.
struct RuleFromInfo {
  GameRule rule = GameRule::ExactFive;
  bool known = true;
};
RuleFromInfo ruleFromInfo(std::int32_t value);

// The rule's name as the tools and the bench write it: "exact5", "freestyle", "caro", "renju".
const char* ruleName(GameRule rule);
std::optional<GameRule> ruleNamed(std::string_view name);

}  // namespace fivefold
