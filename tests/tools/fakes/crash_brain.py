"""Plays random squares, then dies without a word when asked for move N (argument, 2)."""

import os
import sys

from fake_protocol import random_square, run

crash_at = int(sys.argv[1]) if len(sys.argv) > 1 else 2


def choose(state):
    if state.moves + 1 >= crash_at:
        os._exit(3)
    return "%d,%d" % random_square(state)


run(choose)
