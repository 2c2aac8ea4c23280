#include "eval/point_evaluation.h"

#include "core/game_state.h"
#include "eval/line_windows.h"

namespace fivefold {

namespace {

// Digits are taken from the player's side: its stones 1, the other side's 2.
int sideOf(int player) {
  return player == 1 ? 1 : 2;
}

std::int32_t gainWith(int x, int y, int player, int stoneDigit, const std::int32_t* without) {
  takeUpRuleWindowValues();
  return sumWindowChange(lineWords, x * boardStride + y, sideOf(player), 0, stoneDigit, without,
                         windowValues[sideOf(player) - 1].plain.data());
}

int digitOnSquare(int x, int y, int player) {
  return cellDigits[sideOf(player)][cellAt(x, y)];
}

}  // namespace

std::int32_t pointGain(int x, int y, int player) {
  return gainWith(x, y, player, digitOnSquare(x, y, player),
                  windowValues[sideOf(player) - 1].plain.data());
}

std::int32_t pointGainRaised(int x, int y, int player) {
  return gainWith(x, y, player, digitOnSquare(x, y, player),
                  windowValues[sideOf(player) - 1].raised.data());
}

}  // namespace fivefold
