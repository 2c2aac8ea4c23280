"""One game between two players, adjudicated by the manager.

A player is anything with name, start(cfg), ask_move(request, limit_ms, tolerance_ms,
time_left, board) and close(grace_s): a brain process (manager.brain.BrainPlayer) or a person
at the terminal (terminal.HumanPlayer). A player with a playing level has limits of its own
(manager.levels): the GameConfig fields it plays under instead of the game's."""

from dataclasses import dataclass, replace

from fivefold_tools.rules.board import (BLACK, COLOUR_NAMES, WHITE, cell, is_full, mover,
                                        new_board, on_board, other, place)
from fivefold_tools.rules.game_record import RESULTS
from fivefold_tools.rules.judge import play_stone


@dataclass
class GameConfig:
    width: int = 15
    height: int = 15
    rule: str = "exact5"
    timeout_turn: int = 1000  # ms per move, sent as INFO timeout_turn
    timeout_match: int = 0  # ms per game and side; 0: no match budget
    tolerance: int = 100  # ms beyond the limit before a move is a time forfeit
    max_moves: int = 0  # stones on the board (opening included) that end in a draw; 0: none
    start_timeout: int = 10000  # ms for the brain's OK after START
    end_grace: float = 0.5  # s a brain may take to leave after END before it is killed
    # Search limits sent as INFO max_depth and INFO max_node; 0: not sent. With one of them
    # and a clock the brain never reaches, its moves do not depend on the machine's speed.
    max_depth: int = 0
    max_nodes: int = 0


# ms per move when a depth or node limit is given and no clock: ample, so that the limit
# and not the machine decides every move.
LIMITED_TIMEOUT_TURN = 60000


def turn_time(given, default, max_depth, max_nodes):
    """The ms per move: the one given, else ample under a search limit, else the default."""
    if given is not None:
        return given
    return LIMITED_TIMEOUT_TURN if max_depth > 0 or max_nodes > 0 else default


def limits_text(cfg):
    """What every move is played under, as the tools report it."""
    parts = ["depth %d" % cfg.max_depth] if cfg.max_depth > 0 else []
    parts += ["%d nodes" % cfg.max_nodes] if cfg.max_nodes > 0 else []
    parts.append("%d ms a move" % cfg.timeout_turn)
    if cfg.timeout_match:
        parts.append("%d ms a game" % cfg.timeout_match)
    return "limits: " + ", ".join(parts)


def move_request(stones, known, colour):
    """What a player is told before its move: BEGIN on an empty board, TURN with the
    opponent's last stone when it knows all the others, otherwise the whole position
    (who 1 = own stone, 2 = opponent's)."""
    if not stones:
        return {"kind": "begin"}
    if known == len(stones) - 1 and stones[-1][2] != colour:
        return {"kind": "turn", "move": stones[-1][:2]}
    return {"kind": "board", "stones": [(x, y, 1 if c == colour else 2) for x, y, c in stones]}


def finish(record, winner, reason, detail=""):
    record["winner"] = COLOUR_NAMES.get(winner)
    record["winner_name"] = record[COLOUR_NAMES[winner]] if winner else None
    record["result"] = RESULTS[record["winner"]]
    record["reason"] = reason
    if detail:
        record["detail"] = detail
    return record


def opening_position(width, height, opening):
    """The board and the stones (x, y, colour) after the opening, played from black."""
    board = new_board(width, height)
    stones = []
    for i, (x, y) in enumerate(opening):
        stones.append((x, y, mover(i)))
        place(board, x, y, stones[-1][2])
    return board, stones


def side_config(player, cfg):
    """What this player plays under: the game's settings, with its own limits if it has any."""
    return replace(cfg, **getattr(player, "limits", {}))


def play_game(players, cfg, opening=(), on_move=None):
    """Plays one game; players is (black, white). Returns its record, a dict ready for JSON.

    on_move(board, stone, reply, five, ending) is called after every stone a player places:
    five its winning run or None, ending what it decides ("five" or a renju foul), None while
    the game goes on."""
    board, stones = opening_position(cfg.width, cfg.height, opening)
    record = {
        "black": players[0].name,
        "white": players[1].name,
        "size": [cfg.width, cfg.height],
        "rule": cfg.rule,
        "opening": [list(stone) for stone in opening],
        "moves": [],
    }
    time_left = {BLACK: cfg.timeout_match, WHITE: cfg.timeout_match}
    known = {BLACK: 0, WHITE: 0}
    sides = {colour: side_config(players[colour - 1], cfg) for colour in (BLACK, WHITE)}
    try:
        for colour in (BLACK, WHITE):
            failed = players[colour - 1].start(sides[colour])
            if failed:
                return finish(record, other(colour), failed.failure, failed.detail)
        while True:
            if is_full(board):
                return finish(record, None, "full_board")
            if cfg.max_moves and board.count >= cfg.max_moves:
                return finish(record, None, "move_limit")
            colour = mover(len(stones))
            limit = sides[colour].timeout_turn
            left = time_left[colour] if cfg.timeout_match else None
            if left is not None:
                limit = min(limit, left)
            request = move_request(stones, known[colour], colour)
            reply = players[colour - 1].ask_move(request, limit, cfg.tolerance, left, board)
            time_left[colour] -= reply.ms
            move = {"colour": COLOUR_NAMES[colour], "ms": reply.ms}
            if reply.failure:
                record["failed_move"] = move
                return finish(record, other(colour), reply.failure, reply.detail)
            x, y = reply.move
            move.update(x=x, y=y)
            if not on_board(board, x, y) or cell(board, x, y):
                record["failed_move"] = move
                reason = "off_board" if not on_board(board, x, y) else "occupied"
                return finish(record, other(colour), reason)
            record["moves"].append(move)
            ending, five = play_stone(board, x, y, colour, cfg.rule)
            stones.append((x, y, colour))
            known[colour] = len(stones)
            if on_move:
                on_move(board, stones[-1], reply, five, ending)
            if five:
                record["five"] = [list(square) for square in five]
                return finish(record, colour, "five")
            if ending:  # a renju foul: the stone stays on the board and loses
                return finish(record, other(colour), ending, "%d,%d" % (x, y))
    finally:
        for player in players:
            player.close(cfg.end_grace)
