// What one findThreats call costs in a middle game when the search has changed one or two
// cells since the slot's previous call, per slot, and how often it allocates.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <random>

#include "core/game_state.h"
#include "threats/threat_finder.h"

// The replacement operators below pair malloc with free; GCC cannot see that.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

long allocations = 0;

}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace fivefold {
namespace {

// 40 stones of both players around the centre of a 20 x 20 board, the same every run.
void setUpMiddleGame() {
  resetGameState();
  resetThreatFinder();
  setUpDefaultBoard();
  std::mt19937 random(7);
  std::uniform_int_distribution<> near(5, 14);
  for (int placed = 0; placed < 40;) {
    const int x = near(random);
    const int y = near(random);
    if (cellAt(x, y) != 0) continue;
    cellRef(x, y) = placed % 2 + 1;
    ++placed;
  }
}

// Trial squares as the search would try them: empty squares near the stones.
std::vector<int> trialSquares() {
  std::vector<int> squares;
  for (int x = 4; x < 16; ++x) {
    for (int y = 4; y < 16; ++y) {
      if (cellAt(x, y) == 0) squares.push_back(x * boardStride + y);
    }
  }
  return squares;
}

void findAfterChanges(benchmark::State& state) {
  const int slot = static_cast<int>(state.range(0));
  const int changes = static_cast<int>(state.range(1));
  const int player = slot % 2 + 1;
  const auto kind = ThreatKind(slot / 2 % 2);
  const auto mode = ThreatMode(slot / 4);
  setUpMiddleGame();
  const std::vector<int> squares = trialSquares();
  ThreatList list;
  findThreats(list, player, kind, mode);
  std::size_t next = 0;
  long found = 0;
  long calls = 0;
  const long allocationsBefore = allocations;
  for (auto _ : state) {
    // Place the trial stones, look, lift them, look: two calls per round, each seeing
    // `changes` changed cells.
    int placed[2];
    for (int c = 0; c < changes; ++c) {
      placed[c] = squares[next];
      next = (next + 1) % squares.size();
      gameState.board[placed[c]] = (c + calls) % 2 + 1;
    }
    findThreats(list, player, kind, mode);
    found += static_cast<long>(list.size());
    for (int c = 0; c < changes; ++c) gameState.board[placed[c]] = 0;
    findThreats(list, player, kind, mode);
    found += static_cast<long>(list.size());
    calls += 2;
  }
  state.SetItemsProcessed(calls);
  state.counters["records/call"] = double(found) / double(calls);
  state.counters["allocs/call"] = double(allocations - allocationsBefore) / double(calls);
  state.counters["ns/call"] =
      benchmark::Counter(double(calls), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void findOnFreshSlot(benchmark::State& state) {
  const int slot = static_cast<int>(state.range(0));
  setUpMiddleGame();
  ThreatList list;
  for (auto _ : state) {
    resetThreatFinder();
    findThreats(list, slot % 2 + 1, ThreatKind(slot / 2 % 2), ThreatMode(slot / 4));
    benchmark::DoNotOptimize(list.data());
  }
}

BENCHMARK(findAfterChanges)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {1, 2}});
BENCHMARK(findOnFreshSlot)->DenseRange(0, 7);

}  // namespace
}  // namespace fivefold

BENCHMARK_MAIN();
