#include "eval/board_evaluation.h"

#include <algorithm>
#include <iterator>

#include "core/board_changes.h"
#include "core/score_scale.h"
#include "eval/line_windows.h"

namespace fivefold {

BoardEvaluatorState boardEvaluator;

std::int64_t boardTotal() {
  constexpr int side = 1;  // the engine's stones count plus
  const std::int32_t* values = windowValues[side - 1].plain.data();
  LineWord* lines = boardEvaluator.snapshotLines;
  std::int64_t total = boardEvaluator.evalTotal;
  // Square by square, each change is scored against the snapshot as it stands with the
  // earlier changes copied in, so a window touched by several changes adds exactly its new
  // value minus its old one.
  catchUp(
      boardEvaluator.cursor,
      [&] {
        takeUpRuleWindowValues();
        std::fill(lines, lines + lineWordCount, LineWord{0});
        total = 0;
      },
      [&](int x, int y, Cell before, Cell after) {
        const int index = x * boardStride + y;
        total += sumWindowChange(lines, index, side, cellDigits[side][before],
                                 cellDigits[side][after], values, values);
        updateLineWords(lines, index, before, after);
      });
  boardEvaluator.evalTotal = total;
  return total;
}

std::int64_t totalAfterChange(std::int64_t total, int x, int y, Cell value) {
  constexpr int side = 1;  // the engine's stones count plus
  const std::int32_t* values = windowValues[side - 1].plain.data();
  const int index = x * boardStride + y;
  return total + sumWindowChange(lineWords, index, side, cellDigits[side][gameState.board[index]],
                                 cellDigits[side][value], values, values);
}

std::int32_t boardValue(std::int64_t total, int player) {
  const bool engineToMove = player == 1;
  if (total > scoreDecided) return engineToMove ? scoreBoardDecided : -scoreBoardDecided;
  if (total < -scoreDecided) return engineToMove ? -scoreBoardDecided : scoreBoardDecided;
  const auto value = static_cast<std::int32_t>(total);
  return engineToMove ? value : -value;
}

std::int32_t evaluateBoard(int player) {
  return boardValue(boardTotal(), player);
}

}  // namespace fivefold
