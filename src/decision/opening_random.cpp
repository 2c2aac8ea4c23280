#include "decision/opening_random.h"

#include <cstdint>

namespace fivefold {

namespace {

// Additive lagged-Fibonacci generator r[i] = r[i - 31] + r[i - 3] (mod 2^32), seeded by
// the Park-Miller sequence from 1; output r[i] >> 1 from i = 344 on.
constexpr int lagLong = 31;
constexpr int lagShort = 3;
constexpr int warmUp = 310;

struct OpeningRandomState {
  std::uint32_t ring[lagLong] = {};
  int next = 0;  // ring index of r[i - 31], where r[i] is written
  bool seeded = false;
};

OpeningRandomState generator;

std::uint32_t step(OpeningRandomState& g) {
  const int shortIndex = (g.next + lagLong - lagShort) % lagLong;
  const std::uint32_t value = g.ring[g.next] + g.ring[shortIndex];
  g.ring[g.next] = value;
  g.next = (g.next + 1) % lagLong;
  return value;
}

void seed(OpeningRandomState& g) {
  std::int64_t word = 1;
  g.ring[0] = 1;
  for (int i = 1; i < lagLong; ++i) {
    word = (16807 * word) % 2147483647;
    g.ring[i] = static_cast<std::uint32_t>(word);
  }
  // r[31..33] repeat r[0..2], which the ring already holds in place: r[34] is next and
  // its r[i - 31] is r[3].
  g.next = 3;
  for (int i = 0; i < warmUp; ++i) step(g);
}

}  // namespace

int openingRandom() {
  if (!generator.seeded) {
    seed(generator);
    generator.seeded = true;
  }
  return static_cast<int>(step(generator) >> 1);
}

void resetOpeningRandom() {
  generator = OpeningRandomState{};
}

}  // namespace fivefold
