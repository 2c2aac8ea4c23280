"""Plays a random empty square, with a MESSAGE and a DEBUG line before each move; the
MESSAGE is a search line whose evaluation is the number of stones seen. Under renju (INFO
rule 4), as black, it plays a forbidden point on purpose every other time there is one, and
says so first: "MESSAGE foul x,y reason", so that a test can see the manager call it.
Usage: random_brain.py [log file]"""

import sys

from fake_protocol import random_square, run

from fivefold_tools.rules.board import new_board, place
from fivefold_tools.rules.renju import forbidden_points

RENJU = 4


def foul(state):
    """A forbidden point of the position and its reason, when black is to move under renju
    and has one; None otherwise."""
    own = sum(who == 1 for who in state.stones.values())
    if state.rule != RENJU or own != len(state.stones) - own:  # black moves on even counts
        return None
    board = new_board(state.width, state.height)
    for (x, y), who in state.stones.items():
        place(board, x, y, who)  # own stones are black's
    points = sorted(forbidden_points(board).items())
    return state.rng.choice(points) if points and state.rng.random() < 0.5 else None


def choose(state):
    print("MESSAGE AB: D:6 E:%d F:T2 S:1000" % len(state.stones))
    print("DEBUG thinking")
    chosen = foul(state)
    if chosen:
        (x, y), reason = chosen
        print("MESSAGE foul %d,%d %s" % (x, y, reason))
        return "%d,%d" % (x, y)
    return "%d,%d" % random_square(state)


run(choose, sys.argv[1] if len(sys.argv) > 1 else None)
