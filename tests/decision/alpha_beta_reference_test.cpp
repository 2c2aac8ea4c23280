// The pruned search against a plain negamax written from the rules: with a full window,
// fail-soft alpha-beta must give the value of the search without cut-offs.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "decision/alpha_beta.h"
#include "eval/move_scoring.h"
#include "reference_board_value.h"
#include "search_fixture.h"
#include "threats/threat_finder.h"

namespace fivefold {
namespace {

constexpr std::int32_t thresholds[10] = {2000000, 2000000, 2000000, 900000,  900000,
                                         600,     0,       -200,    -900000, -900000};

std::int32_t aged(std::int32_t s) {
  return s > 900000 ? s - 1 : s < -900000 ? s + 1 : s;
}

// Squares in the cost list of every record, in the first record's order.
std::vector<Square> commonSquares(const ThreatList& records) {
  std::vector<Square> common;
  const ThreatRecord& first = records.front();
  for (int c = 0; c < first.costCount; ++c) {
    bool everywhere = true;
    for (const ThreatRecord& other : records) {
      everywhere &= std::count(other.cost, other.cost + other.costCount, first.cost[c]) > 0;
    }
    if (everywhere) common.push_back(first.cost[c]);
  }
  return common;
}

std::vector<Square> candidates(int player, const ThreatList& threes) {
  RankedMoves ranked;
  if (threes.empty()) {
    ranked = rankAreaMoves(player, 2);
    const RankedMoves extra =
        rankExtraAreaMoves(player, std::span<const Square>(ranked.squares, ranked.count), 2);
    for (int i = 0; i < extra.count; ++i) ranked.squares[ranked.count++] = extra.squares[i];
  } else {
    std::vector<Square> list;
    if (threes.size() >= 2) list = commonSquares(threes);
    ThreatList makers;
    makers = findThreats(player, Four, OneMissing);
    for (const ThreatRecord& r : makers) list.push_back(r.missing.value());  // no four is whole
    if (threes.size() == 1)
      list.insert(list.end(), threes[0].cost, threes[0].cost + threes[0].costCount);
    ranked = rankListedMoves(player, list);
  }
  return {ranked.squares, ranked.squares + ranked.count};
}

std::int32_t staticValue(int player) {
  const std::int64_t total = testing::boardValueFromScratch();
  const std::int64_t own = total > 900000 ? 1000000 : total < -900000 ? -1000000 : total;
  return static_cast<std::int32_t>(player == 1 ? own : -own);
}

std::int32_t negamax(int player, int depth);

std::int32_t playAndScore(int player, int depth, Square move) {
  setCell(move.x, move.y, player);
  const std::int32_t s = aged(-negamax(player == 1 ? 2 : 1, depth));
  setCell(move.x, move.y, 0);
  return s;
}

std::int32_t negamax(int player, int depth) {
  if (depth <= 0) return staticValue(player);
  const int opponent = player == 1 ? 2 : 1;
  ThreatList found;
  found = findThreats(player, Four, Exact);
  if (!found.empty()) return 999999;
  found = findThreats(opponent, Four, Exact);
  if (!found.empty()) {
    const auto common = commonSquares(found);
    if (common.empty()) return -999998;
    return playAndScore(player, depth, common[0]);
  }
  found = findThreats(player, Three, Exact);
  if (!found.empty()) return 999997;
  found = findThreats(opponent, Three, Exact);
  const auto moves = candidates(player, found);
  if (found.size() >= 2 && moves.empty()) return -999996;
  std::int32_t best = -2000000;
  int bound = depth - 1;
  for (std::size_t i = 0; i < moves.size() && best < thresholds[i] && bound >= 0; ++i) {
    const std::int32_t s = playAndScore(player, bound, moves[i]);
    best = std::max(best, s);
    if (s > 900000) bound = std::min(bound, 999998 - s);
  }
  return best;
}

using AlphaBetaReferenceTest = SearchTest;

TEST_F(AlphaBetaReferenceTest, FullWindowEqualsPlainNegamax) {
  std::mt19937 random(20261207);
  int compared = 0;
  for (int round = 0; compared < 150 && round < 3000; ++round) {
    resetAll();
    searchState.timeLimited = false;
    const int size = 7 + static_cast<int>(random() % 3);
    newBoard(size, size);
    const int stones = 2 + static_cast<int>(random() % 6);
    for (int i = 0; i < stones; ++i) {
      put(static_cast<int>(random() % size), static_cast<int>(random() % size),
          1 + static_cast<Cell>(i % 2));
    }
    ThreatList found;
    bool quiet = true;
    for (int player : {1, 2}) {
      for (ThreatKind kind : {Three, Four}) {
        found = findThreats(player, kind, Exact);
        quiet &= found.empty();
      }
    }
    if (!quiet) continue;
    const int depth = 1 + compared % 3;
    const int player = 1 + (compared / 3) % 2;
    const std::vector<Cell> before = boardCopy();

    restartIncrementalState();
    const std::int32_t expected = negamax(player, depth);
    restartIncrementalState();
    searchState.nodeCount = 0;
    const std::int32_t actual = alphaBeta(player, depth, -2000000, 2000000);
    ASSERT_EQ(actual, expected) << "round " << round << " depth " << depth;
    ASSERT_EQ(boardCopy(), before);
    ++compared;
  }
  EXPECT_EQ(compared, 150);
}

}  // namespace
}  // namespace fivefold
