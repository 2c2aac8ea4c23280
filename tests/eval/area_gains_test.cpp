#include "eval/area_gains.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "board_setup.h"
#include "eval/point_evaluation.h"

namespace fivefold {
namespace {

// The kept gains catch up with any mix of changes between calls: stones put and taken
// back near and far, winning-line stones, stones beyond the playing area, either player
// calling, and the playing size changing under them. Half the rounds take back the latest
// writes in reverse order, as the search lifts its stones, so that the gains take back
// their absorbed changes too, past a full stack of them. The rule of the game changes now and
// then, and with it the window values the gains are made of.
TEST(AreaGains, KeptGainsFollowInterleavedChangesForBothPlayersAndSizeChanges) {
  std::mt19937 random(4242);
  testing::freshBoard(15, 15);
  std::discrete_distribution<int> cellValue({40, 25, 25, 10});  // empty, own, opponent, won
  std::vector<std::pair<int, Cell>> written;  // each write's square and the value it replaced
  for (int round = 0; round < 600; ++round) {
    if (round % 60 == 59) {  // a new size; the grid keeps what it held
      const auto& size = testing::testSizes[(round / 60) % std::size(testing::testSizes)];
      setPlayingSize(size[0], size[1]);
    }
    if (round % 40 == 20) {  // a new rule of the game: the gains start afresh under it
      const testing::TestRule& rule =
          testing::testRules[(round / 40) % std::size(testing::testRules)];
      setGameRule(rule.rule, rule.blackSide);
    }
    std::uniform_int_distribution<int> anyCell(0, boardCells - 1);
    const int changes = std::uniform_int_distribution<int>(0, round % 7 == 0 ? 40 : 4)(random);
    if (round % 2 == 1) {
      for (int i = 0; i < changes && !written.empty(); ++i) {
        setCell(written.back().first / boardStride, written.back().first % boardStride,
                written.back().second);
        written.pop_back();
      }
    } else {
      for (int i = 0; i < changes; ++i) {
        const int index = anyCell(random);
        written.push_back({index, gameState.board[index]});
        setCell(index / boardStride, index % boardStride, cellValue(random));
      }
    }
    const int width = gameState.width;
    const int height = gameState.height;
    std::uniform_int_distribution<int> pickX(0, width - 1), pickY(0, height - 1);
    const int x1 = pickX(random), x2 = pickX(random), y1 = pickY(random), y2 = pickY(random);
    const int player = std::uniform_int_distribution<int>(1, 2)(random);
    const PlayerAreaGains& kept = keptAreaGains(player);
    // A sample of the area: the squares of a random rectangle.
    for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) {
      for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) {
        if (cellAt(x, y) != 0) continue;
        const int index = x * boardStride + y;
        setCell(x, y, player);
        const std::int32_t expectedPlain = pointGain(x, y, player);
        const std::int32_t expectedRaised = pointGainRaised(x, y, player);
        setCell(x, y, 0);
        ASSERT_EQ(kept.plain[index], expectedPlain) << "round " << round << " " << x << "," << y;
        ASSERT_EQ(kept.raised[index], expectedRaised) << "round " << round << " " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace fivefold
