// Long random sequences of placements and removals: every slot's incremental answer must
// equal a scan of the whole board, in the order of the merge rule (the records kept from
// the slot's previous call in their previous order, then the rescanned windows' records in
// scan order).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <tuple>
#include <vector>

#include "reference_match.h"
#include "threat_board.h"
#include "threats/threat_finder.h"

namespace fivefold {
namespace {

struct Window {
  int k;
  int startX;
  int startY;
  int pattern;
};

struct Found {
  ThreatRecord record;
  Window window;
};

using Board = std::array<Cell, boardCells>;

// Every window that touches the playing area, every template.
std::map<int, Found> scanWholeBoard(int player, ThreatKind kind, ThreatMode mode) {
  std::map<int, Found> found;
  const int w = windowLength(kind);
  for (int k = 0; k < 4; ++k) {
    for (int sx = -(w - 1); sx < gameState.width + w - 1; ++sx) {
      for (int sy = -(w - 1); sy < gameState.height + w - 1; ++sy) {
        for (int p = 0; p < patternsPerKind(kind); ++p) {
          const std::optional<PatternMatch> m =
              testing::matchPattern(player, patternTemplate(gameState.fiveRules[player], kind, p),
                                    sx, sy, directionDx[k], directionDy[k], mode);
          if (!m) continue;
          const ThreatRecord r{*m, kind, threatKey(p, mode, kind, k, sx, sy)};
          EXPECT_EQ(found.count(r.key), 0u) << "key not unique: " << r.key;
          found[r.key] = {r, {k, sx, sy, p}};
        }
      }
    }
  }
  return found;
}

// The step n at which the scan of changed cell (x, y) reaches the window, if it does.
std::optional<int> reachFrom(int x, int y, const Window& win, int w) {
  const int dx = directionDx[win.k];
  const int dy = directionDy[win.k];
  const int n = dx != 0 ? (win.startX - x) * dx : (win.startY - y) * dy;
  if (x + n * dx != win.startX || y + n * dy != win.startY) return std::nullopt;
  if (n < -(w - 1) || n > w - 1) return std::nullopt;
  return n;
}

struct SlotHistory {
  bool called = false;
  Board board{};
  int width = 0;
  int height = 0;
  ThreatList result;
  std::map<int, Found> windows;  // the whole-board scan at that call
};

// The answer the merge rule demands, given the slot's previous call.
ThreatList expectedAnswer(const SlotHistory& prev, const std::map<int, Found>& now,
                          ThreatKind kind) {
  const int w = windowLength(kind);
  const bool sameSize =
      prev.called && prev.width == gameState.width && prev.height == gameState.height;
  std::vector<std::pair<int, int>> changed;
  for (int x = 0; x < gameState.width; ++x) {
    for (int y = 0; y < gameState.height; ++y) {
      const Cell before = sameSize ? prev.board[x * boardStride + y] : 0;
      if (before != cellAt(x, y)) changed.emplace_back(x, y);
    }
  }
  // (changed cell index, direction, step, pattern) of the first scan that reaches a window
  auto rank = [&](const Window& win) -> std::optional<std::tuple<int, int, int, int>> {
    for (std::size_t c = 0; c < changed.size(); ++c) {
      if (auto n = reachFrom(changed[c].first, changed[c].second, win, w)) {
        return std::make_tuple(int(c), win.k, *n, win.pattern);
      }
    }
    return std::nullopt;
  };
  ThreatList expected;
  if (sameSize) {
    for (const ThreatRecord& r : prev.result) {
      if (!rank(prev.windows.at(r.key).window)) expected.push_back(r);
    }
  }
  std::vector<std::pair<std::tuple<int, int, int, int>, ThreatRecord>> fresh;
  for (const auto& [key, f] : now) {
    if (auto order = rank(f.window)) fresh.emplace_back(*order, f.record);
  }
  std::sort(fresh.begin(), fresh.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& entry : fresh) expected.push_back(entry.second);
  return expected;
}

// A board size and the rule of the game (under renju, black is the side 1 + blackSecond).
struct Size {
  int width;
  int height;
  GameRule rule = GameRule::ExactFive;
  int blackSecond = 0;
};

class FinderDifferentialTest : public ThreatBoardTest,
                               public ::testing::WithParamInterface<Size> {};

TEST_P(FinderDifferentialTest, IncrementalAnswerEqualsWholeBoardScan) {
  const Size size = GetParam();
  setBoard(size.width, size.height);
  setGameRule(size.rule, 1 + size.blackSecond);
  std::mt19937 random(size.width * 100 + size.height);
  auto chance = [&](double p) { return std::uniform_real_distribution<>(0, 1)(random) < p; };
  auto below = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(random); };

  SlotHistory history[8];
  ThreatList answer;
  std::size_t matchesSeen = 0;
  for (int step = 0; step < 250; ++step) {
    if (chance(0.01)) {  // a new playing size; the stones stay in the grid
      setPlayingSize(minBoardSize + below(maxBoardSize - minBoardSize + 1),
                     minBoardSize + below(maxBoardSize - minBoardSize + 1));
    } else if (step == 150) {
      setPlayingSize(size.width, size.height);
    }
    // The board fills and empties in turns, so that its lines pass through every density
    // and hold fours, threes and crowded stretches.
    const double fill = step / 40 % 2 == 0 ? 0.75 : 0.3;
    for (int change = 1 + below(3); change > 0; --change) {
      // Mostly inside the playing area; now and then a cell the finder must ignore.
      const bool inside = !chance(0.05);
      const int x = below(inside ? gameState.width : boardStride);
      const int y = below(inside ? gameState.height : boardStride);
      if (cellAt(x, y) == 0) {
        if (chance(fill)) setCell(x, y, chance(0.05) ? 3 : 1 + below(2));
      } else if (chance(1 - fill)) {
        setCell(x, y, 0);
      }
    }
    for (int slot = 0; slot < 8; ++slot) {
      if (!chance(0.5)) continue;
      const int player = slot % 2 + 1;
      const auto kind = ThreatKind(slot / 2 % 2);
      const auto mode = ThreatMode(slot / 4);
      std::map<int, Found> now = scanWholeBoard(player, kind, mode);
      answer = findThreats(player, kind, mode);

      SCOPED_TRACE(::testing::Message() << "step " << step << " slot " << slot);
      ASSERT_EQ(answer.size(), now.size());
      for (const ThreatRecord& r : answer) {
        auto it = now.find(r.key);
        ASSERT_NE(it, now.end()) << "unexpected key " << r.key;
        ASSERT_EQ(r, it->second.record) << "key " << r.key;
      }
      ASSERT_EQ(answer, expectedAnswer(history[slot], now, kind));
      matchesSeen += answer.size();

      SlotHistory& h = history[slot];
      h.called = true;
      std::copy(std::begin(gameState.board), std::end(gameState.board), h.board.begin());
      h.width = gameState.width;
      h.height = gameState.height;
      h.result = answer;
      h.windows = std::move(now);
    }
  }
  EXPECT_GT(matchesSeen, 100u);  // the sequence did exercise the finder
}

// The slots asked one after another share the changed cells of a run of the journal. Here
// the journal folds between two slots' calls, and the slot left behind at the run's start
// then stands, with the journal's end, exactly where the run began and ended before the
// fold, while other squares changed since: it must not take the run's cells for its own.
using FinderFoldTest = ThreatBoardTest;

TEST_F(FinderFoldTest, ARunOfTheJournalIsNotSharedAcrossAFold) {
  auto toggle = [](int x, int y) { put(x, y, cellAt(x, y) == 0 ? 1 : 0); };
  testing::restartIncrementalState();  // an empty journal
  SlotHistory behind;  // player 2's slot: called once on the empty board, at position 0
  findThreats(2, Four, Exact);
  behind.called = true;
  behind.width = gameState.width;
  behind.height = gameState.height;
  findThreats(1, Four, Exact);
  putRow(2, 5, 2, 1);
  for (int i = 0; i < 6; ++i) toggle(10, 10);  // ten writes that net to four squares
  const std::uint32_t runEnd = changeJournal.size;
  ASSERT_FALSE(findThreats(1, Four, Exact).empty());  // the run [0, 10)

  // The fold keeps the four squares at [0, 4) and the toggles net to nothing, so four
  // writes of player 2's own, after restoring (19, 19), end the journal at 10 again.
  const std::uint32_t folds = changeJournal.folds;
  while (changeJournal.folds == folds) toggle(19, 19);
  if (cellAt(19, 19) != 0) put(19, 19, 0);
  putRow(2, 5, 8, 2);
  ASSERT_EQ(changeJournal.size, runEnd);

  const std::map<int, Found> now = scanWholeBoard(2, Four, Exact);
  ASSERT_FALSE(now.empty());
  EXPECT_EQ(findThreats(2, Four, Exact), expectedAnswer(behind, now, Four));
}

INSTANTIATE_TEST_SUITE_P(
    BoardSizes, FinderDifferentialTest,
    ::testing::Values(Size{5, 5}, Size{7, 12}, Size{12, 7}, Size{15, 15}, Size{20, 20}, Size{20, 9},
                      Size{6, 20}, Size{15, 15, GameRule::Freestyle},
                      Size{7, 12, GameRule::Freestyle}, Size{15, 15, GameRule::Caro},
                      Size{20, 9, GameRule::Caro}, Size{15, 15, GameRule::Renju},
                      Size{12, 7, GameRule::Renju, 1}),
    [](const auto& info) {
      const Size& size = info.param;
      std::string name = std::to_string(size.width) + "x" + std::to_string(size.height);
      if (size.rule != GameRule::ExactFive) {
        name += std::string("_") + ruleName(size.rule) + (size.blackSecond ? "_white" : "");
      }
      return name;
    });

}  // namespace
}  // namespace fivefold
