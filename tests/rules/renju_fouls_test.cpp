// Renju's fouls as the engine finds them: every square of the tables' positions (the
// tournament manager's own verdicts on 1,500 positions and the classic cases), and a plain,
// slow reference of its own under random play.
#include "core/renju_fouls.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "rule_tables.h"

namespace fivefold {
namespace {

using testing::TablePosition;

void expectTableVerdicts(const std::string& name, std::size_t atLeast) {
  const std::vector<TablePosition> table = testing::readTable(name, false);
  ASSERT_GE(table.size(), atLeast);
  int forbidden = 0;
  for (const TablePosition& position : table) {
    testing::setUp(position, GameRule::Renju);
    std::map<std::pair<int, int>, std::string> expected;
    for (const std::string& claim : position.claims) {
      if (claim == "-") continue;
      int x = 0, y = 0;
      char reason[32] = {};
      ASSERT_EQ(std::sscanf(claim.c_str(), "%d,%d:%31s", &x, &y, reason), 3) << claim;
      expected[{x, y}] = reason;
    }
    for (int x = 0; x < position.width; ++x) {
      for (int y = 0; y < position.height; ++y) {
        if (cellAt(x, y) != 0) continue;
        const auto it = expected.find({x, y});
        const std::string want = it == expected.end() ? "" : it->second;
        forbidden += !want.empty();
        ASSERT_EQ(foulName(renjuFoul(x, y)), want)
            << name << ":" << position.line << " square " << x << "," << y;
      }
    }
  }
  EXPECT_GT(forbidden, 0);
}

TEST(RenjuFouls, AgreeWithTheJudgesTables) {
  expectTableVerdicts("renju_judge_sample.txt", 1500);
  expectTableVerdicts("renju_positions.txt", 10);
  testing::freshBoard(15, 15);
}

// The rule read plainly on a board of its own: every line walked square by square, the fours
// told apart by their stones, the threes found by trying each square, recursively.
struct PlainRenju {
  static constexpr int side = 15;
  std::array<std::array<int, side>, side> cells{};  // 0 empty, 1 black, 2 white

  static bool inside(int x, int y) { return x >= 0 && x < side && y >= 0 && y < side; }
  bool black(int x, int y) const { return inside(x, y) && cells[x][y] == 1; }
  bool empty(int x, int y) const { return inside(x, y) && cells[x][y] == 0; }

  int run(int x, int y, int dx, int dy) const {
    int n = 1;
    for (int s = 1; black(x + s * dx, y + s * dy); ++s) ++n;
    for (int s = 1; black(x - s * dx, y - s * dy); ++s) ++n;
    return n;
  }
  bool exactFive(int x, int y) const {
    for (const auto& [dx, dy] : directions) {
      if (run(x, y, dx, dy) == 5) return true;
    }
    return false;
  }
  // The stone sets of the fours through (x, y) along (dx, dy).
  std::set<std::set<int>> fours(int x, int y, int dx, int dy) {
    std::set<std::set<int>> found;
    for (int s = -4; s <= 4; ++s) {
      const int ex = x + s * dx, ey = y + s * dy;
      if (s == 0 || !empty(ex, ey)) continue;
      cells[ex][ey] = 1;
      if (run(x, y, dx, dy) == 5) {
        // The five is the run through (x, y); the four is its stones but the new one.
        int lo = 0, hi = 0;
        while (black(x + (lo - 1) * dx, y + (lo - 1) * dy)) --lo;
        while (black(x + (hi + 1) * dx, y + (hi + 1) * dy)) ++hi;
        std::set<int> stones;
        for (int t = lo; t <= hi; ++t) {
          if (t != s) stones.insert(t);
        }
        found.insert(stones);
      }
      cells[ex][ey] = 0;
    }
    return found;
  }
  bool straightFour(int x, int y, int dx, int dy) {
    // four in a row through (x, y), both ends empty and each making an exact five
    for (int first = -3; first <= 0; ++first) {
      bool four = true;
      for (int t = first; t < first + 4; ++t) four = four && black(x + t * dx, y + t * dy);
      if (!four) continue;
      const int ax = x + (first - 1) * dx, ay = y + (first - 1) * dy;
      const int bx = x + (first + 4) * dx, by = y + (first + 4) * dy;
      if (!empty(ax, ay) || !empty(bx, by)) continue;
      cells[ax][ay] = 1;
      const bool left = run(ax, ay, dx, dy) == 5;
      cells[ax][ay] = 0;
      cells[bx][by] = 1;
      const bool right = run(bx, by, dx, dy) == 5;
      cells[bx][by] = 0;
      if (left && right) return true;
    }
    return false;
  }
  std::string foul(int x, int y) {
    cells[x][y] = 1;
    std::string verdict;
    bool five = false, overline = false;
    int fourCount = 0, threes = 0;
    for (const auto& [dx, dy] : directions) {
      five = five || run(x, y, dx, dy) == 5;
      overline = overline || run(x, y, dx, dy) > 5;
    }
    if (!five) {
      for (const auto& [dx, dy] : directions) {
        const int lineFours = static_cast<int>(fours(x, y, dx, dy).size());
        fourCount += lineFours;
        if (lineFours > 0) continue;
        bool three = false;
        for (int s = -4; s <= 4 && !three; ++s) {
          const int tx = x + s * dx, ty = y + s * dy;
          if (s == 0 || !empty(tx, ty)) continue;
          cells[tx][ty] = 1;
          const bool straight = straightFour(x, y, dx, dy) && straightFour(tx, ty, dx, dy);
          const bool fiveThere = exactFive(tx, ty);
          cells[tx][ty] = 0;
          three = straight && !fiveThere && foul(tx, ty).empty();
        }
        threes += three;
      }
      if (fourCount >= 2) {
        verdict = "double-four";
      } else if (overline) {
        verdict = "overline";
      } else if (threes >= 2) {
        verdict = "double-three";
      }
    }
    cells[x][y] = 0;
    return verdict;
  }
  static constexpr std::array<std::pair<int, int>, 4> directions = {
      {{1, 0}, {0, 1}, {1, 1}, {1, -1}}};
};

TEST(RenjuFouls, AgreeWithAPlainReferenceUnderRandomPlay) {
  std::mt19937 random(15);
  int compared = 0, forbidden = 0;
  for (int game = 0; game < 25; ++game) {
    testing::freshBoard(15, 15);
    setGameRule(GameRule::Renju, 1);
    PlainRenju plain;
    // Stones near the others, as in play; now and then black plays a foul on purpose, so that
    // the fouls' own neighbourhoods come up too.
    for (int move = 0; move < 70; ++move) {
      const int colour = 1 + move % 2;
      int x = 7, y = 7;
      for (int tries = 0; tries < 200; ++tries) {
        x = std::uniform_int_distribution<int>(0, 14)(random);
        y = std::uniform_int_distribution<int>(0, 14)(random);
        bool near = move == 0;
        for (int dx = -2; dx <= 2 && !near; ++dx) {
          for (int dy = -2; dy <= 2 && !near; ++dy)
            near = plain.black(x + dx, y + dy) ||
                   (PlainRenju::inside(x + dx, y + dy) && plain.cells[x + dx][y + dy] == 2);
        }
        if (near && plain.empty(x, y)) break;
      }
      if (!plain.empty(x, y)) break;
      // Every empty square near the stones, judged both ways.
      for (int sx = 0; sx < 15; ++sx) {
        for (int sy = 0; sy < 15; ++sy) {
          if (!plain.empty(sx, sy)) continue;
          const std::string want = plain.foul(sx, sy);
          forbidden += !want.empty();
          ++compared;
          ASSERT_EQ(foulName(renjuFoul(sx, sy)), want)
              << "game " << game << " move " << move << " square " << sx << "," << sy;
        }
      }
      plain.cells[x][y] = colour;
      testing::put(x, y, colour);
      if (plain.exactFive(x, y) && colour == 1) break;
    }
  }
  EXPECT_GT(forbidden, 200);  // the games did make fouls to judge
  EXPECT_GT(compared, 50000);
}

}  // namespace
}  // namespace fivefold
