// Reading the position tables of tests/rules/: one position a line, "W H x,y,c ... | rest",
// optionally after the name of a rule, '#' starting a comment line.
#pragma once

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "board_setup.h"
#include "core/game_rule.h"

namespace fivefold::testing {

struct TableStone {
  int x, y, colour;
};

struct TablePosition {
  int line = 0;
  std::optional<GameRule> rule;  // for tables that name one
  int width = 0, height = 0;
  std::vector<TableStone> stones;
  std::vector<std::string> claims;  // the words after '|'
};

inline std::vector<TablePosition> readTable(const std::string& name, bool namesRule) {
  std::ifstream in(std::string(FIVEFOLD_RULE_TABLES) + "/" + name);
  EXPECT_TRUE(in) << "cannot read " << name;
  std::vector<TablePosition> positions;
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) {
    if (text.empty() || text[0] == '#') continue;
    const std::size_t bar = text.find('|');
    std::istringstream before(text.substr(0, bar));
    std::istringstream after(bar == std::string::npos ? "" : text.substr(bar + 1));
    TablePosition position;
    position.line = number;
    std::string word;
    if (namesRule) {
      before >> word;
      position.rule = ruleNamed(word);
      EXPECT_TRUE(position.rule) << name << ":" << number << ": rule " << word;
    }
    before >> position.width >> position.height;
    while (before >> word) {
      TableStone stone{};
      EXPECT_EQ(std::sscanf(word.c_str(), "%d,%d,%d", &stone.x, &stone.y, &stone.colour), 3)
          << name << ":" << number << ": " << word;
      position.stones.push_back(stone);
    }
    while (after >> word) position.claims.push_back(word);
    positions.push_back(position);
  }
  return positions;
}

// The position on a fresh board, black's stones of Cell value 1.
inline void setUp(const TablePosition& position, GameRule rule) {
  freshBoard(position.width, position.height);
  setGameRule(rule, 1);
  for (const TableStone& stone : position.stones) put(stone.x, stone.y, stone.colour);
}

}  // namespace fivefold::testing
