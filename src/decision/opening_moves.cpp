#include "decision/opening_moves.h"

#include "core/game_state.h"
#include "core/grid.h"
#include "decision/opening_random.h"

namespace fivefold {

namespace {

// Step one square diagonally from (from, ...) towards the centre; a coordinate equal to
// the centre's steps by +1.
std::int32_t towardsCentre(std::int32_t from, std::int32_t centre) {
  return from > centre ? from - 1 : from + 1;
}

// Answer to the opponent's first reply: a diagonal neighbour of the centre, by the side
// the reply lies on and one random bit. None when the reply is the centre itself.
std::optional<Square> answerFirstReply(std::int32_t cx, std::int32_t cy) {
  const std::int32_t dx = gameState.lastOpponentX - cx;
  const std::int32_t dy = gameState.lastOpponentY - cy;
  Square odd{};
  Square even{};
  if ((dx < 0 && dy < 0) || (dx > 0 && dy > 0)) {
    odd = {cx + 1, cy - 1};
    even = {cx - 1, cy + 1};
  } else if ((dx > 0 && dy < 0) || (dx < 0 && dy > 0)) {
    odd = {cx - 1, cy - 1};
    even = {cx + 1, cy + 1};
  } else if (dx == 0 && dy < 0) {
    odd = {cx - 1, cy - 1};
    even = {cx + 1, cy - 1};
  } else if (dx == 0 && dy > 0) {
    odd = {cx - 1, cy + 1};
    even = {cx + 1, cy + 1};
  } else if (dx > 0) {
    odd = {cx + 1, cy - 1};
    even = {cx + 1, cy + 1};
  } else if (dx < 0) {
    odd = {cx - 1, cy - 1};
    even = {cx - 1, cy + 1};
  } else {
    return std::nullopt;
  }
  return openingRandom() % 2 != 0 ? odd : even;
}

}  // namespace

std::optional<Square> chooseOpeningMove() {
  const std::int32_t cx = gameState.width / 2;
  const std::int32_t cy = gameState.height / 2;
  std::optional<Square> move;
  switch (gameState.moveNumber) {
    case 1:
      move = Square{cx, cy};
      break;
    case 2:
      move = Square{towardsCentre(gameState.lastOpponentX, cx),
                    towardsCentre(gameState.lastOpponentY, cy)};
      break;
    case 3:
      move = answerFirstReply(cx, cy);
      break;
    default:
      break;
  }
  // The rules assume the usual opening; after a BOARD block that does not match it their
  // square may be taken, and the turn driver decides instead.
  if (!move || !isOnBoard(move->x, move->y) || cellAt(move->x, move->y) != 0) return std::nullopt;
  return move;
}

}  // namespace fivefold
