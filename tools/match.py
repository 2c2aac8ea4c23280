#!/usr/bin/env python3
"""Plays a match between two brains and reports the result.

    python3 tools/match.py "build/release/src/app/pbrain-fivefold" "./other-brain" -n 20 -j 2
    python3 tools/match.py "./brain-a" "./brain-b" --nodes 50000   # the same games every run

Each brain is a shell-style command line. Every game starts fresh processes; every opening is
played twice with colours swapped. One JSON line per game goes to --out (stdout by default),
the summary to stdout (stderr when the games go to stdout), a progress line to stderr."""

import argparse

from fivefold_tools.manager.game import LIMITED_TIMEOUT_TURN
from fivefold_tools.manager.runner import run_command
from fivefold_tools.rules.board import RULES


def parse_size(text):
    width, _, height = text.lower().partition("x")
    width, height = int(width), int(height or width)
    if not (5 <= width <= 20 and 5 <= height <= 20):
        raise argparse.ArgumentTypeError("board sides must be 5..20")
    return width, height


def arguments(argv):
    p = argparse.ArgumentParser(description="Plays a match between two brains.")
    p.add_argument("brain1", help="command line of the first brain")
    p.add_argument("brain2", help="command line of the second brain")
    p.add_argument("-n", "--games", type=int, default=10)
    p.add_argument("-j", "--jobs", type=int, default=1, help="games played at once")
    p.add_argument("--size", type=parse_size, default=(15, 15), help="N or WxH (default 15)")
    p.add_argument("--rule", choices=RULES, default="exact5")
    p.add_argument("--timeout-turn", type=int,
                   help="ms per move (default 1000; %d with --depth or --nodes)"
                   % LIMITED_TIMEOUT_TURN)
    p.add_argument("--timeout-match", type=int, default=0, help="ms per game and side (0: none)")
    p.add_argument("--tolerance", type=int, default=100, help="ms over the limit before a forfeit")
    p.add_argument("--max-moves", type=int, default=0, help="stones after which it is a draw")
    p.add_argument("--depth", type=int, default=0, help="deepest search iteration (INFO max_depth)")
    p.add_argument("--nodes", type=int, default=0, help="nodes per move (INFO max_node)")
    p.add_argument("--openings", default="builtin", help="builtin, random or a file")
    p.add_argument("--centred", action="store_true", help="opening file holds centre offsets")
    p.add_argument("--random-stones", type=int, default=3)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--out", default="-", help="JSON lines file (default stdout)")
    p.add_argument("--name1")
    p.add_argument("--name2")
    p.add_argument("-q", "--quiet", action="store_true", help="no progress line")
    return p.parse_args(argv)


def main(argv=None):
    run_command(arguments(argv))


if __name__ == "__main__":
    main()
