// The shared table of positions by rule: the engine's five test (the board evaluation), its
// fours (the squares that win at once) and its threes follow the rule of the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/score_scale.h"
#include "eval/board_evaluation.h"
#include "rule_tables.h"
#include "threats/threat_finder.h"

namespace fivefold {
namespace {

using testing::TablePosition;

// "x,y;x,y" or "-" as squares, sorted.
std::vector<Square> squaresOf(const std::string& text) {
  std::vector<Square> squares;
  if (text == "-") return squares;
  std::size_t from = 0;
  while (from < text.size()) {
    Square square;
    std::sscanf(text.c_str() + from, "%d,%d", &square.x, &square.y);
    squares.push_back(square);
    const std::size_t next = text.find(';', from);
    from = next == std::string::npos ? text.size() : next + 1;
  }
  std::sort(squares.begin(), squares.end(),
            [](Square a, Square b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  return squares;
}

// The squares where a stone of the colour wins at once: the gain squares of its fours.
std::vector<Square> winningSquares(int colour) {
  std::vector<Square> squares;
  for (const ThreatRecord& four : findThreats(colour, Four, Exact)) {
    const Square gain = four.gain;
    if (std::find(squares.begin(), squares.end(), gain) == squares.end()) squares.push_back(gain);
  }
  std::sort(squares.begin(), squares.end(),
            [](Square a, Square b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
  return squares;
}

void checkClaim(const std::string& claim) {
  const std::size_t equals = claim.find('=');
  ASSERT_NE(equals, std::string::npos) << claim;
  const std::string what = claim.substr(0, equals);
  const int colour = claim[equals + 1] - '0';
  if (what == "five") {
    const std::int32_t value = evaluateBoard(1);  // black's stones count plus
    if (colour == 0) {
      EXPECT_LT(std::abs(value), scoreBoardDecided) << claim;
    } else {
      EXPECT_EQ(value, colour == 1 ? scoreBoardDecided : -scoreBoardDecided) << claim;
    }
    return;
  }
  ASSERT_EQ(claim[equals + 2], ':') << claim;
  const std::string rest = claim.substr(equals + 3);
  if (what == "wins") {
    EXPECT_EQ(winningSquares(colour), squaresOf(rest)) << claim;
  } else if (what == "three") {
    EXPECT_EQ(!findThreats(colour, Three, Exact).empty(), rest == "yes") << claim;
  } else {
    ADD_FAILURE() << "unknown claim " << claim;
  }
}

TEST(RulePositions, FivesFoursAndThreesFollowTheRule) {
  const std::vector<TablePosition> table = testing::readTable("positions.txt", true);
  ASSERT_GT(table.size(), 30u);
  for (const TablePosition& position : table) {
    SCOPED_TRACE(::testing::Message() << "positions.txt:" << position.line);
    testing::setUp(position, *position.rule);
    for (const std::string& claim : position.claims) checkClaim(claim);
  }
  testing::freshBoard(15, 15);
}

}  // namespace
}  // namespace fivefold
