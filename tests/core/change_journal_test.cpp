#include "core/change_journal.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include "board_setup.h"
#include "core/board_changes.h"
#include "core/line_words.h"

namespace fivefold {
namespace {

using Report = std::tuple<int, int, Cell, Cell>;  // x, y, before, after

// A reader that also keeps a copy of the playing area, as the grid comparison the journal
// replaces did: its expected view is every square where copy and grid differ, x then y.
struct CheckedReader {
  JournalCursor cursor;
  std::array<Cell, boardCells> copy{};
  int width = 0, height = 0;

  void check(int round) {
    std::vector<Report> expected;
    const bool fresh = width != gameState.width || height != gameState.height;
    if (fresh) copy.fill(0);
    for (int x = 0; x < gameState.width; ++x) {
      for (int y = 0; y < gameState.height; ++y) {
        const Cell live = cellAt(x, y);
        if (copy[x * boardStride + y] != live)
          expected.emplace_back(x, y, copy[x * boardStride + y], live);
        copy[x * boardStride + y] = live;
      }
    }
    width = gameState.width;
    height = gameState.height;
    std::vector<Report> seen;
    bool restarted = false;
    catchUp(
        cursor, [&] { restarted = true; },
        [&](int x, int y, Cell before, Cell after) { seen.emplace_back(x, y, before, after); });
    if (restarted && !fresh) {
      // A clear restarts the reader: its view is then every stone as a change from empty.
      expected.clear();
      for (int x = 0; x < gameState.width; ++x) {
        for (int y = 0; y < gameState.height; ++y) {
          if (cellAt(x, y) != 0) expected.emplace_back(x, y, 0, cellAt(x, y));
        }
      }
    }
    ASSERT_EQ(seen, expected) << "round " << round;
  }
};

// Random places, lifts, clears, size changes and stretches of nested trial stones, with
// readers catching up at random moments (some often, some rarely, so that the journal
// folds entries several readers still need), and readers coming and going.
TEST(ChangeJournal, EveryReaderSeesWhatAGridComparisonWouldShow) {
  testing::freshBoard(15, 15);
  std::mt19937 random(42);
  auto below = [&](int n) { return std::uniform_int_distribution<>(0, n - 1)(random); };
  std::vector<std::unique_ptr<CheckedReader>> readers;
  for (int i = 0; i < 6; ++i) readers.push_back(std::make_unique<CheckedReader>());
  const int callOdds[] = {2, 3, 10, 200, 3000, 30000};  // one call in n steps
  for (int round = 0; round < 120000; ++round) {
    // Clears and new sizes are rare enough for the journal to fill up and fold between them.
    const int action = below(1000);
    if (action == 0 && below(30) == 0) {
      clearGrid();
    } else if (action == 1 && below(5) == 0) {
      gameState.width = 5 + below(16);
      gameState.height = 5 + below(16);
    } else if (action == 2) {
      readers[below(static_cast<int>(readers.size()))] = std::make_unique<CheckedReader>();
    } else if (action > 1 && action < 40) {
      // A nested run of trial stones, lifted again in reverse, as the search writes them.
      std::vector<int> placed;
      for (int depth = below(6); depth > 0; --depth) {
        const int x = below(gameState.width), y = below(gameState.height);
        if (cellAt(x, y) != 0) continue;
        setCell(x, y, 1 + below(2));
        placed.push_back(x * boardStride + y);
        if (below(4) == 0) readers[below(3)]->check(round);
      }
      for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        setCell(*it / boardStride, *it % boardStride, 0);
      }
    } else {
      // Any write, outside the playing area too.
      const bool inside = below(20) != 0;
      const int x = below(inside ? gameState.width : boardStride);
      const int y = below(inside ? gameState.height : boardStride);
      setCell(x, y, below(3) == 0 ? below(4) : 0);
    }
    for (std::size_t r = 0; r < readers.size(); ++r) {
      if (below(callOdds[r]) == 0) readers[r]->check(round);
    }
    if (::testing::Test::HasFatalFailure()) return;
  }
  for (auto& reader : readers) reader->check(-1);
}

// The line words follow every write: each equals the line read cell by cell.
TEST(LineWords, EachLineWordHoldsItsCellsInOrder) {
  testing::freshBoard(20, 20);
  std::mt19937 random(5);
  for (int round = 0; round < 3000; ++round) {
    const int index = std::uniform_int_distribution<>(0, boardCells - 1)(random);
    setCell(index / boardStride, index % boardStride,
            std::uniform_int_distribution<>(0, 3)(random));
    if (round % 100 == 99) clearGrid();
  }
  for (int x = 0; x < boardStride; ++x) {
    for (int y = 0; y < boardStride; ++y) {
      for (int k = 0; k < lineDirections; ++k) {
        const LineWord around = lineCellsAround(x * boardStride + y, k, 8);
        for (int i = 0; i <= 16; ++i) {
          const int cx = offsetX(x, k, i - 8), cy = offsetY(y, k, i - 8);
          const bool inGrid = cx >= 0 && cx < boardStride && cy >= 0 && cy < boardStride;
          ASSERT_EQ(static_cast<Cell>(around >> (2 * i) & 3),
                    inGrid ? gameState.board[cx * boardStride + cy] : 0)
              << x << "," << y << " k " << k << " i " << i;
        }
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
