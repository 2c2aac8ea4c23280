// The finder's bit-mask matcher against matchPattern, which reads the board cell by cell:
// every window around a cell, every template, both modes and players, on random boards of
// several sizes with stones of all values, also outside the playing area, for the templates
// of every rule of a five.
#include "threats/threat_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "reference_match.h"
#include "threat_board.h"

namespace fivefold {
namespace {

using LineMatcherTest = ThreatBoardTest;

template <FiveRule rule>
LineMatches everyWindowOf(const LineCells& line, ThreatKind kind, ThreatMode mode) {
  if (kind == Four) {
    return mode == Exact ? matchEveryWindow<rule, Four, Exact>(line)
                         : matchEveryWindow<rule, Four, OneMissing>(line);
  }
  return mode == Exact ? matchEveryWindow<rule, Three, Exact>(line)
                       : matchEveryWindow<rule, Three, OneMissing>(line);
}

LineMatches everyWindow(const LineCells& line, FiveRule rule, ThreatKind kind, ThreatMode mode) {
  switch (rule) {
    case FiveRule::ExactFive:
      return everyWindowOf<FiveRule::ExactFive>(line, kind, mode);
    case FiveRule::FiveOrMore:
      return everyWindowOf<FiveRule::FiveOrMore>(line, kind, mode);
    default:
      return everyWindowOf<FiveRule::Caro>(line, kind, mode);
  }
}

// Compares every window of direction k within W - 1 steps of (x, y), one at a time and all
// at once; returns the matches.
int compareAround(int x, int y, int k, int player, FiveRule rule, ThreatKind kind,
                  ThreatMode mode) {
  const int w = windowLength(kind);
  const LineCells line = lineCells(player, readAround(x, y, k), w);
  const LineMatches all = everyWindow(line, rule, kind, mode);
  int matches = 0;
  for (int start = 0; start <= 2 * (w - 1); ++start) {
    const int startX = offsetX(x, k, start - (w - 1));
    const int startY = offsetY(y, k, start - (w - 1));
    for (int p = 0; p < patternsPerKind(kind); ++p) {
      const std::optional<PatternMatch> expected =
          testing::matchPattern(player, patternTemplate(rule, kind, p), startX, startY,
                                directionDx[k], directionDy[k], mode);
      const bool matched = expected.has_value();
      int missing = -2;
      const LineTemplate& t = lineTemplate(rule, kind, p);
      const bool lineMatched = matchLine(line, t, start, mode, missing);
      EXPECT_EQ(lineMatched, matched)
          << "window " << startX << "," << startY << " k " << k << " pattern " << p << " mode "
          << mode << " rule " << int(rule);
      EXPECT_EQ(holdsCell(all.starts[p], start), matched)
          << "all windows: " << startX << "," << startY << " k " << k << " pattern " << p
          << " mode " << mode << " rule " << int(rule);
      if (!matched || !lineMatched) continue;
      ++matches;
      SCOPED_TRACE(::testing::Message() << "window " << startX << "," << startY << " k " << k
                                        << " pattern " << p << " mode " << mode);
      EXPECT_EQ(linePatternMatch(t, x, y, k, w, start, missing), *expected);
    }
  }
  return matches;
}

TEST_F(LineMatcherTest, AnswersAsMatchPatternOnRandomBoards) {
  std::mt19937 random(11);
  auto below = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(random); };
  int matches = 0;
  for (int board = 0; board < 40; ++board) {
    setBoard(minBoardSize + below(maxBoardSize - minBoardSize + 1),
             minBoardSize + below(maxBoardSize - minBoardSize + 1));
    // Dense enough for threes and fours; the grid outside the playing area is filled too,
    // and must read as off the board.
    const int density = 2 + below(4);
    for (int index = 0; index < boardCells; ++index) {
      const int r = below(10);
      setCell(index / boardStride, index % boardStride,
              r < density ? 1 + r % 2 : (r == 9 && below(4) == 0 ? 3 : 0));
    }
    for (int probe = 0; probe < 25; ++probe) {
      const int x = below(gameState.width);
      const int y = below(gameState.height);
      for (int k = 0; k < 4; ++k) {
        for (int player = 1; player <= 2; ++player) {
          for (int rule = 0; rule < fiveRuleCount; ++rule) {
            for (ThreatKind kind : {Three, Four}) {
              matches += compareAround(x, y, k, player, FiveRule(rule), kind, Exact);
              matches += compareAround(x, y, k, player, FiveRule(rule), kind, OneMissing);
            }
          }
        }
      }
    }
  }
  EXPECT_GT(matches, 1000);  // the boards did hold threats of every kind to compare
}

}  // namespace
}  // namespace fivefold
