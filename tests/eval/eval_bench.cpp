// Cost of the evaluation's hot calls on a typical middle game: 20 stones around the centre
// of a 15 x 15 board.
#include <benchmark/benchmark.h>

#include <random>

#include "board_setup.h"
#include "eval/board_evaluation.h"
#include "eval/move_scoring.h"
#include "reference_board_value.h"
#include "reference_gain.h"

namespace fivefold {
namespace {

void middleGame() {
  testing::freshBoard(15, 15);
  std::mt19937 random(15);
  std::uniform_int_distribution<int> near(4, 10);
  for (int placed = 0; placed < 20;) {
    const int x = near(random), y = near(random);
    if (cellAt(x, y) != 0) continue;
    testing::put(x, y, placed % 2 + 1);
    ++placed;
  }
  evaluateBoard(1);
}

void rankAreaMovesMargin2(benchmark::State& state) {
  middleGame();
  for (auto _ : state) benchmark::DoNotOptimize(rankAreaMoves(1, 2));
}
BENCHMARK(rankAreaMovesMargin2);

void rankAreaAndExtraMovesMargin2(benchmark::State& state) {
  middleGame();
  for (auto _ : state) benchmark::DoNotOptimize(rankAreaAndExtraMoves(1, 2));
}
BENCHMARK(rankAreaAndExtraMovesMargin2);

// One trial stone on a free square near the stones, valued window by window.
void pointGainWindowByWindow(benchmark::State& state) {
  middleGame();
  testing::put(7, 7, 0);
  testing::put(7, 7, 1);
  for (auto _ : state) benchmark::DoNotOptimize(testing::referenceGain(7, 7, 1, countWeights));
}
BENCHMARK(pointGainWindowByWindow);

// Each evaluateBoard call sees `changed` squares differ from its previous call: trial stones
// placed, then lifted again.
void evaluateBoardAfterChanges(benchmark::State& state) {
  middleGame();
  const int changed = static_cast<int>(state.range(0));
  const int squares[2][2] = {{11, 3}, {3, 11}};
  bool placed = false;
  for (auto _ : state) {
    placed = !placed;
    for (int i = 0; i < changed; ++i)
      testing::put(squares[i][0], squares[i][1], placed ? i + 1 : 0);
    benchmark::DoNotOptimize(evaluateBoard(1));
  }
}
BENCHMARK(evaluateBoardAfterChanges)->Arg(0)->Arg(1)->Arg(2);

void boardValueOfEveryWindow(benchmark::State& state) {
  middleGame();
  for (auto _ : state) benchmark::DoNotOptimize(testing::boardValueFromScratch());
}
BENCHMARK(boardValueOfEveryWindow);

}  // namespace
}  // namespace fivefold
