// How much one stone on one square is worth to the player who puts it there: the value of
// the line windows through the square with the stone minus their value without it.
#pragma once

#include <cstdint>

namespace fivefold {

// The caller has written the player's stone (1 or 2) on the on-board square (x, y) and
// lifts it again afterwards. Both values use countWeights with the stone; without it,
// pointGain uses countWeights and pointGainRaised raisedCountWeights. With the square left
// empty pointGain is 0.
std::int32_t pointGain(int x, int y, int player);
std::int32_t pointGainRaised(int x, int y, int player);

}  // namespace fivefold
