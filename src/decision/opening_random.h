// The opening rules' random bit comes from this generator: the same sequence as the C
// library's rand() of glibc when never seeded, on every platform, so that a fresh engine
// makes the same choices everywhere.
#pragma once

namespace fivefold {

// Next value in 0 .. 2^31 - 1.
int openingRandom();

// Back to the start-up sequence.
void resetOpeningRandom();

}  // namespace fivefold
