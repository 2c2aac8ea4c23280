#include "core/game_rule.h"

namespace fivefold {

namespace {
constexpr std::int32_t exactFiveBit = 1;
constexpr std::int32_t continuousBit = 2;
constexpr std::int32_t renjuBit = 4;
constexpr std::int32_t caroBit = 8;
constexpr const char* ruleNames[] = {"exact5", "freestyle", "caro", "renju"};
}  // namespace

RuleFromInfo ruleFromInfo(std::int32_t value) {
  const std::int32_t rule = value & ~continuousBit;
  if (rule == 0) return {GameRule::Freestyle, true};
  if (rule == exactFiveBit) return {GameRule::ExactFive, true};
  // Renju and caro name the five themselves: the exact-five bit beside them says nothing more.
  if ((rule & ~exactFiveBit) == renjuBit) return {GameRule::Renju, true};
  if ((rule & ~exactFiveBit) == caroBit) return {GameRule::Caro, true};
  return {GameRule::ExactFive, false};
}

const char* ruleName(GameRule rule) {
  return ruleNames[static_cast<int>(rule)];
}

std::optional<GameRule> ruleNamed(std::string_view name) {
  for (int i = 0; i < static_cast<int>(std::size(ruleNames)); ++i) {
    if (name == ruleNames[i]) return static_cast<GameRule>(i);
  }
  return std::nullopt;
}

}  // namespace fivefold
