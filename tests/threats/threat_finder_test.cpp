#include "threats/threat_finder.h"

#include <gtest/gtest.h>

#include <vector>

#include "threat_board.h"

namespace fivefold {
namespace {

using FinderTest = ThreatBoardTest;

ThreatList find(int player, ThreatKind kind, ThreatMode mode) {
  ThreatList list;
  list = findThreats(player, kind, mode);
  return list;
}

std::vector<int> keysOf(const ThreatList& list) {
  std::vector<int> keys;
  for (const ThreatRecord& r : list) keys.push_back(r.key);
  return keys;
}

// missing: (-1, -1) when the record has none.
void expectRecord(const ThreatRecord& r, Square missing, Square gain,
                  const std::vector<Square>& costs, int kind, int key) {
  SCOPED_TRACE(key);
  EXPECT_EQ(r.missing.value_or(Square{-1, -1}), missing);
  EXPECT_EQ(r.gain, gain);
  EXPECT_EQ(std::vector<Square>(r.cost, r.cost + r.costCount), costs);
  for (int c = r.costCount; c < 5; ++c) EXPECT_EQ(r.cost[c], Square{});
  EXPECT_EQ(r.kind, kind);
  EXPECT_EQ(r.key, key);
}

TEST_F(FinderTest, EmptyBoardHasNoThreatsInAnySlot) {
  for (int player = 1; player <= 2; ++player) {
    for (ThreatKind kind : {Three, Four}) {
      for (ThreatMode mode : {Exact, OneMissing}) {
        EXPECT_TRUE(findThreats(player, kind, mode).empty());
      }
    }
  }
}

TEST_F(FinderTest, FourOnARowListsBothCompletions) {
  putRow(5, 8, 10, 1);
  const ThreatList list = find(1, Four, Exact);
  ASSERT_EQ(list.size(), 2u);
  expectRecord(list[0], {-1, -1}, {4, 10}, {{4, 10}}, Four, 130310);
  expectRecord(list[1], {-1, -1}, {9, 10}, {{9, 10}}, Four, 10130310);
  // Nothing changed: the cached records come back as they were.
  EXPECT_EQ(find(1, Four, Exact), list);
  EXPECT_TRUE(find(2, Four, Exact).empty());
}

TEST_F(FinderTest, OpenThreeAndTheMovesThatMakeItAFour) {
  putRow(5, 7, 10, 1);
  const ThreatList threes = find(1, Three, Exact);
  ASSERT_EQ(threes.size(), 1u);
  expectRecord(threes[0], {-1, -1}, {8, 10}, {{4, 10}, {8, 10}}, Three, 30210);

  const ThreatList makers = find(1, Four, OneMissing);
  ASSERT_EQ(makers.size(), 6u);
  expectRecord(makers[0], {4, 10}, {3, 10}, {{3, 10}}, Four, 1130210);
  expectRecord(makers[1], {4, 10}, {8, 10}, {{8, 10}}, Four, 11130210);
  expectRecord(makers[2], {3, 10}, {4, 10}, {{4, 10}}, Four, 21130210);
  expectRecord(makers[3], {8, 10}, {4, 10}, {{4, 10}}, Four, 1130310);
  expectRecord(makers[4], {8, 10}, {9, 10}, {{9, 10}}, Four, 11130310);
  expectRecord(makers[5], {9, 10}, {8, 10}, {{8, 10}}, Four, 41130410);
  EXPECT_EQ(find(1, Four, OneMissing), makers);
}

TEST_F(FinderTest, RecordsNearAChangeMoveBehindTheOthers) {
  putRow(5, 8, 2, 1);   // four A: keys 130302, 10130302
  putRow(5, 8, 14, 1);  // four B: keys 130314, 10130314
  const ThreatList first = find(1, Four, Exact);
  EXPECT_EQ(keysOf(first), (std::vector<int>{130302, 10130302, 130314, 10130314}));

  put(9, 2, 2);  // blocks A's right-hand completion
  EXPECT_EQ(keysOf(find(1, Four, Exact)), (std::vector<int>{130314, 10130314, 130302}));

  put(9, 2, 0);
  const ThreatList third = find(1, Four, Exact);
  EXPECT_EQ(keysOf(third), (std::vector<int>{130314, 10130314, 130302, 10130302}));
  // Same records as the first call, only the order differs.
  EXPECT_EQ(third[0], first[2]);
  EXPECT_EQ(third[1], first[3]);
  EXPECT_EQ(third[2], first[0]);
  EXPECT_EQ(third[3], first[1]);
}

TEST_F(FinderTest, ChangeUpToAWindowLengthBeforeItRescansIt) {
  putRow(5, 8, 2, 1);  // A's windows start at (3, 2) and cover x = 3 to 10
  putRow(5, 8, 14, 1);
  find(1, Four, Exact);
  put(11, 2, 2);  // 8 steps after the start: too far to matter
  EXPECT_EQ(keysOf(find(1, Four, Exact)), (std::vector<int>{130302, 10130302, 130314, 10130314}));
  put(0, 2, 2);  // outside the window, but the window starts within 7 steps of it
  EXPECT_EQ(keysOf(find(1, Four, Exact)), (std::vector<int>{130314, 10130314, 130302, 10130302}));
}

TEST_F(FinderTest, FourClosedByTheEdgeIsFoundFromAWindowOffTheBoard) {
  for (int y = 16; y <= 19; ++y) put(10, y, 1);
  const ThreatList list = find(1, Four, Exact);
  ASSERT_EQ(list.size(), 1u);
  expectRecord(list[0], {-1, -1}, {10, 15}, {{10, 15}}, Four, 10111021);
}

TEST_F(FinderTest, EdgeFourBuiltStoneByStoneIsFoundTheSame) {
  ThreatList list;
  for (int y = 19; y >= 16; --y) {
    list = findThreats(1, Four, Exact);
    EXPECT_TRUE(list.empty());
    put(10, y, 1);
  }
  list = findThreats(1, Four, Exact);
  ASSERT_EQ(list.size(), 1u);
  expectRecord(list[0], {-1, -1}, {10, 15}, {{10, 15}}, Four, 10111021);
}

TEST_F(FinderTest, SlotsKeepTheirOwnSnapshots) {
  putRow(5, 8, 10, 1);
  ASSERT_EQ(find(1, Four, Exact).size(), 2u);
  EXPECT_TRUE(find(2, Four, Exact).empty());
  EXPECT_TRUE(find(1, Three, Exact).empty());
  const std::size_t makers = find(1, Four, OneMissing).size();

  put(8, 10, 0);
  // Other slots absorb the change first; each slot must still see it against its own
  // snapshot.
  EXPECT_TRUE(find(2, Four, Exact).empty());
  ASSERT_EQ(find(1, Three, Exact).size(), 1u);
  EXPECT_TRUE(find(1, Four, Exact).empty());
  EXPECT_EQ(find(1, Four, OneMissing).size(), 6u);
  put(8, 10, 1);
  EXPECT_EQ(find(1, Four, Exact).size(), 2u);
  EXPECT_TRUE(find(1, Three, Exact).empty());
  EXPECT_EQ(find(1, Four, OneMissing).size(), makers);
}

TEST_F(FinderTest, PlayingSizeChangeIsNotMistakenForAnUnchangedBoard) {
  for (int x = 16; x <= 19; ++x) put(x, 5, 2);
  ASSERT_EQ(keysOf(find(2, Four, Exact)), (std::vector<int>{130000 + 14 * 100 + 5}));
  setPlayingSize(19,
                 gameState.height);  // (19, 5) leaves the playing area: only three stones remain
  EXPECT_TRUE(find(2, Four, Exact).empty());
  setPlayingSize(20, gameState.height);
  EXPECT_EQ(find(2, Four, Exact).size(), 1u);
}

}  // namespace
}  // namespace fivefold
