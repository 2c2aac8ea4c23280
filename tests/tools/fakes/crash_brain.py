"""Plays random squares, then dies without a word when asked for move N (first argument,
default 2); with a second argument "after", it dies just after printing move N."""

import os
import sys

from fake_protocol import random_square, reply, run

crash_at = int(sys.argv[1]) if len(sys.argv) > 1 else 2
after = sys.argv[2:] == ["after"]


def choose(state):
    if state.moves + 1 >= crash_at:
        if after:
            reply("%d,%d" % random_square(state))
        os._exit(3)
    return "%d,%d" % random_square(state)


run(choose)
