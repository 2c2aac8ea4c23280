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
// the reply lies on and one random bit. False when the reply is the centre itself.
bool answerFirstReply(std::int32_t cx, std::int32_t cy, Square& move) {
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
    return false;
  }
  move = openingRandom() % 2 != 0 ? odd : even;
  return true;
}

}  // namespace

int chooseOpeningMove(std::int32_t& x, std::int32_t& y) {
  const std::int32_t cx = gameState.width / 2;
  const std::int32_t cy = gameState.height / 2;
  Square move{};
  switch (gameState.moveNumber) {
    case 1:
      move = {cx, cy};
      break;
    case 2:
      move = {towardsCentre(gameState.lastOpponentX, cx),
              towardsCentre(gameState.lastOpponentY, cy)};
      break;
    case 3:
      if (!answerFirstReply(cx, cy, move)) return 0;
      break;
    default:
      return 0;
  }
  // The rules assume the usual opening; after a BOARD block that does not match it their
  // square may be taken, and the turn driver decides instead.
  if (!isOnBoard(move.x, move.y) || cellAt(move.x, move.y) != 0) return 0;
  x = move.x;
  y = move.y;
  return 1;
}

}  // namespace fivefold
