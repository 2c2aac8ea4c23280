"""Plays a random empty square, with a MESSAGE and a DEBUG line before each move; the
MESSAGE is a search line whose evaluation is the number of stones seen.
Usage: random_brain.py [log file]"""

import sys

from fake_protocol import random_square, run


def choose(state):
    print("MESSAGE AB: D:6 E:%d F:T2 S:1000" % len(state.stones))
    print("DEBUG thinking")
    return "%d,%d" % random_square(state)


run(choose, sys.argv[1] if len(sys.argv) > 1 else None)
