"""Plays random squares after sleeping timeout_turn plus the argument in ms (may be
negative)."""

import sys
import time

from fake_protocol import random_square, run

extra = int(sys.argv[1]) if len(sys.argv) > 1 else 1000


def choose(state):
    time.sleep(max(0, state.timeout_turn + extra) / 1000)
    return "%d,%d" % random_square(state)


run(choose)
