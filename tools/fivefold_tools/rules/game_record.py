"""A game read from a record file, checked stone by stone and kept in the shape of the match
runner's JSON lines: names, size, rule, opening, moves with colour and ms, and the result.

Every reader (JSON lines, SGF, PSQ) lists its stones with the text each had in the file, so
that an error names the move as the file wrote it."""

from fivefold_tools.rules.board import (COLOUR_NAMES, MAX_SIDE, MIN_SIDE, WHITE, cell, is_full,
                                        mover, new_board, on_board)
from fivefold_tools.rules.judge import play_stone

RESULTS = {"black": "1-0", "white": "0-1", None: "1/2-1/2"}
# A game whose file does not tell how it ended: neither a five nor a full board, no result.
UNKNOWN = "unknown"


def stone_colour(count):
    """The colour name of the stone played after count stones (black first)."""
    return COLOUR_NAMES[mover(count)]


class RecordError(ValueError):
    """Why a game cannot be read; move is the 1-based stone it concerns, 0 for the game."""

    def __init__(self, message, move=0):
        super().__init__(message)
        self.move = move


def check_size(width, height, text):
    if not (MIN_SIDE <= width <= MAX_SIDE and MIN_SIDE <= height <= MAX_SIDE):
        raise RecordError("%s: board sides must be %d..%d" % (text, MIN_SIDE, MAX_SIDE))


def build_record(size, stones, opening, names=("black", "white"), rule="exact5",
                 winner=UNKNOWN, reason=None):
    """The record of a game from its stones [(x, y, colour, text, ms)], the first opening of
    them placed before the players took over, judged by the rule. winner is "black", "white",
    None (a draw) or UNKNOWN, in which case the board decides: a five wins, a renju foul
    loses, a full board is a draw. Raises RecordError for a stone out of turn, off the
    board, on a taken square or after the stone that ended the game."""
    width, height = size
    board = new_board(width, height)
    ending = five = None
    for number, (x, y, colour, text, _) in enumerate(stones, 1):
        if ending:
            what = "five" if five else "foul %s" % stones[number - 2][3]
            raise RecordError("%s comes after the %s" % (text, what), number)
        if colour != stone_colour(number - 1):
            raise RecordError("%s: %s is not to move" % (text, colour), number)
        if not on_board(board, x, y):
            raise RecordError("%s is off the %dx%d board" % (text, width, height), number)
        if cell(board, x, y):
            raise RecordError("%s is on a taken square" % text, number)
        ending, five = play_stone(board, x, y, mover(number - 1), rule)
    full = is_full(board)
    # The winner the last stone decides: its own side by a five, white by black's foul.
    decided = stones[-1][2] if ending == "five" else COLOUR_NAMES[WHITE] if ending else None
    if winner == UNKNOWN and (ending or full):
        winner = decided if ending else None
    if not reason and winner != UNKNOWN:
        if ending and winner == decided:
            reason = ending
        elif full and winner is None:
            reason = "full_board"
    record = {"black": names[0], "white": names[1], "size": [width, height], "rule": rule,
              "opening": [[x, y] for x, y, *_ in stones[:opening]],
              "moves": [{"colour": c, "ms": ms or 0, "x": x, "y": y}
                        for x, y, c, _, ms in stones[opening:]]}
    if five:
        record["five"] = [list(square) for square in five]
    known = winner != UNKNOWN
    record["winner"] = winner if known else None
    record["winner_name"] = record[winner] if known and winner else None
    record["result"] = RESULTS[winner] if known else None
    record["reason"] = reason or UNKNOWN
    return record


def record_stones(record):
    """The stones of a record in the order played: (x, y, colour) with the opening first."""
    opening = [(x, y, stone_colour(i)) for i, (x, y) in enumerate(record["opening"])]
    return opening + [(m["x"], m["y"], m["colour"]) for m in record["moves"]]
