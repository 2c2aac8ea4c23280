"""Renju's forbidden points: the squares where a black stone loses at once (a foul).

A square is judged as if black had just played it, and only black's stones count:
- a stone that makes exactly five is allowed, whatever else it makes;
- otherwise six or more black stones in a row is an overline;
- a four is a line where one more black stone makes exactly five, a straight four one with
  two such squares four apart; two fours at once (in one line or two) are a double four;
- a three is a line where one more black stone, on a square that is neither forbidden itself
  nor makes a five in any line, makes a straight four; threes in two lines are a double three.
The test of a three is recursive: its square is judged with the new stone on the board.

tools/web/renju.js is the same algorithm for the page; tests/rules/ holds the positions
both are held to."""

from fivefold_tools.rules.board import BLACK, DIRECTIONS, cell

OVERLINE, DOUBLE_FOUR, DOUBLE_THREE = "overline", "double_four", "double_three"
# The sentinel beyond the board's edge in a line read around a square.
EDGE = -1
# How far a line is read on each side: a four or three through a square lies within four
# squares of it, and a square beyond those decides whether a five is exact.
REACH = 5


def read_line(board, x, y, dx, dy):
    """The squares from REACH before (x, y) to REACH after it along dx, dy: colours, EDGE
    off the board. The square itself is at index REACH."""
    width, height, cells = board.width, board.height, board.cells
    line = []
    for k in range(-REACH, REACH + 1):
        cx, cy = x + k * dx, y + k * dy
        line.append(cells[cx * height + cy] if 0 <= cx < width and 0 <= cy < height else EDGE)
    return line


def black_run(line, at):
    """(first, last) indexes of the unbroken black run through line[at]."""
    first, last = at, at
    while first > 0 and line[first - 1] == BLACK:
        first -= 1
    while last < len(line) - 1 and line[last + 1] == BLACK:
        last += 1
    return first, last


def five_squares(line):
    """The empty squares of the line where a black stone makes exactly five with the stone
    at its middle."""
    squares = []
    for k in range(REACH - 4, REACH + 5):
        if line[k] == 0:
            line[k] = BLACK
            first, last = black_run(line, k)
            if last - first == 4 and first <= REACH <= last:
                squares.append(k)
            line[k] = 0
    return squares


def fours_in(line):
    """How many fours the middle stone stands in along the line: a straight four (its two
    five squares four apart, the four stones between them) is one, any other pair two."""
    squares = five_squares(line)
    if len(squares) == 2 and squares[1] - squares[0] == 5:
        return 1
    return len(squares)


def is_straight_four(line):
    """Whether the middle stone stands in four black stones in a row with an empty square at
    each end where a black stone makes exactly five."""
    first, last = black_run(line, REACH)  # four long, it lies within the read line's middle
    return (last - first == 3 and line[first - 1] == 0 and line[last + 1] == 0
            and line[first - 2] != BLACK and line[last + 2] != BLACK)


def makes_five(board, x, y):
    """Whether a black stone on the empty (x, y) makes exactly five in some line."""
    for dx, dy in DIRECTIONS:
        line = read_line(board, x, y, dx, dy)
        line[REACH] = BLACK
        first, last = black_run(line, REACH)
        if last - first == 4:
            return True
    return False


def has_three(board, x, y, dx, dy, line):
    """Whether the black stone at (x, y) stands in a three along dx, dy (line, read around
    it): one more black stone on a square that is not forbidden and makes no five turns it
    into a straight four."""
    for k in range(REACH - 4, REACH + 5):
        if line[k] != 0:
            continue
        line[k] = BLACK
        straight = is_straight_four(line)
        line[k] = 0
        qx, qy = x + (k - REACH) * dx, y + (k - REACH) * dy
        if straight and not makes_five(board, qx, qy) and not forbidden(board, qx, qy):
            return True
    return False


def forbidden(board, x, y):
    """Why a black stone on the empty square (x, y) is a foul (DOUBLE_FOUR, OVERLINE or
    DOUBLE_THREE), or None when it is allowed. A stone that is a foul for more than one
    reason is named by the first of these, as the tournament manager's judge names it (a
    double four before an overline or a double three)."""
    if cell(board, x, y):
        return None
    index = x * board.height + y
    board.cells[index] = BLACK
    try:
        lines = [read_line(board, x, y, dx, dy) for dx, dy in DIRECTIONS]
        lengths = [last - first + 1 for first, last in (black_run(l, REACH) for l in lines)]
        if 5 in lengths:
            return None
        fours = [fours_in(line) for line in lines]
        if sum(fours) > 1:
            return DOUBLE_FOUR
        if max(lengths) > 5:
            return OVERLINE
        threes = 0
        for (dx, dy), line, four in zip(DIRECTIONS, lines, fours):
            if not four and has_three(board, x, y, dx, dy, line):
                threes += 1
                if threes > 1:
                    return DOUBLE_THREE
        return None
    finally:
        board.cells[index] = 0


def may_be_forbidden(board, x, y):
    """False when (x, y) has no room for a foul: two threes need two lines with two more
    black stones each within four squares, and two fours in one line or an overline four more
    in one line."""
    lines_with_two = 0
    for dx, dy in DIRECTIONS:
        count = read_line(board, x, y, dx, dy)[REACH - 4:REACH + 5].count(BLACK)
        if count >= 4:
            return True
        lines_with_two += count >= 2
    return lines_with_two >= 2


def forbidden_points(board):
    """{(x, y): reason} for every square where black, to move, would play a foul."""
    points = {}
    for x in range(board.width):
        for y in range(board.height):
            if not cell(board, x, y) and may_be_forbidden(board, x, y):
                reason = forbidden(board, x, y)
                if reason:
                    points[(x, y)] = reason
    return points
