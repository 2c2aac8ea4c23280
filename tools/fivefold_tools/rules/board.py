"""The manager's own board: stones, legality and the winning line of each rule.

Colours are 1 for black (the side that plays the first stone) and 2 for white.
"""

import re
from dataclasses import dataclass, field

from fivefold_tools.build import page_table

BLACK, WHITE = 1, 2
COLOUR_NAMES = {BLACK: "black", WHITE: "white"}
# The sides of a board the engine and the tools take.
MIN_SIDE, MAX_SIDE = 5, 20
# The rules by name with the number a brain is sent as INFO rule; a table the page reads too.
INFO_RULE = {rule["name"]: rule["info"] for rule in page_table("rules.json")["rules"]}
RULES = tuple(INFO_RULE)
# The four line directions; each is followed both ways from a stone.
DIRECTIONS = ((1, 0), (0, 1), (1, 1), (1, -1))
MOVE_LINE = re.compile(r"^\s*(-?\d+)\s*,\s*(-?\d+)\s*$")


@dataclass
class Board:
    width: int
    height: int
    cells: list = field(default_factory=list)
    count: int = 0


def new_board(width, height):
    return Board(width, height, [0] * (width * height), 0)


def on_board(board, x, y):
    return 0 <= x < board.width and 0 <= y < board.height


def cell(board, x, y):
    return board.cells[x * board.height + y]


def place(board, x, y, colour):
    board.cells[x * board.height + y] = colour
    board.count += 1


def is_full(board):
    return board.count == board.width * board.height


def other(colour):
    return WHITE if colour == BLACK else BLACK


def mover(count):
    """The colour of the stone played after count stones: black first, then alternately (the
    opening's stones too)."""
    return BLACK if count % 2 == 0 else WHITE


def parse_move_line(line):
    """(x, y) when the line is a move line "x,y", otherwise None."""
    m = MOVE_LINE.match(line)
    return (int(m.group(1)), int(m.group(2))) if m else None


def run_through(board, x, y, dx, dy):
    """The squares of the unbroken run of the stone's colour through (x, y) along (dx, dy)."""
    colour = cell(board, x, y)
    run = [(x, y)]
    for sign in (1, -1):
        cx, cy = x + sign * dx, y + sign * dy
        while on_board(board, cx, cy) and cell(board, cx, cy) == colour:
            run.append((cx, cy))
            cx, cy = cx + sign * dx, cy + sign * dy
    return sorted(run)


def wins_by_rule(board, run, dx, dy, colour, rule):
    """Whether an unbroken run of one colour (its squares in order along dx, dy) wins.

    exact5: exactly five, six or more is nothing; freestyle: five or more; caro: six or more,
    or exactly five unless the other colour stands on both squares beyond it (the edge shuts
    nothing); renju: black exactly five, white five or more."""
    if len(run) < 5:
        return False
    if len(run) > 5:
        return rule == "freestyle" or rule == "caro" or (rule == "renju" and colour == WHITE)
    if rule != "caro":
        return True
    (x0, y0), (x1, y1) = run[0], run[-1]
    ends = ((x0 - dx, y0 - dy), (x1 + dx, y1 + dy))
    return not all(on_board(board, x, y) and cell(board, x, y) == other(colour) for x, y in ends)


def five_through(board, x, y, rule):
    """The winning run through the stone at (x, y) by the rule, or None."""
    colour = cell(board, x, y)
    for dx, dy in DIRECTIONS:
        run = run_through(board, x, y, dx, dy)
        if wins_by_rule(board, run, dx, dy, colour, rule):
            return run
    return None


def has_five(board, rule):
    """Whether any stone on the board stands in a winning run (used to check openings)."""
    return any(
        cell(board, x, y) and five_through(board, x, y, rule)
        for x in range(board.width)
        for y in range(board.height)
    )
