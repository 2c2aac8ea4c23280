"""Plays the squares given as arguments ("x,y"), in order, then random ones."""

import sys

from fake_protocol import random_square, run

script = list(sys.argv[1:])


def choose(state):
    return script.pop(0) if script else "%d,%d" % random_square(state)


run(choose)
