#!/usr/bin/env python3
"""The game on the terminal: the engine against itself (the default demo) or against you.

    python3 tools/play.py                  # a demo game, engine against engine
    python3 tools/play.py --human          # you play white; --human-first to play black
    python3 tools/play.py --nodes 20000 --seed 7   # node-limited: the same game every run
    python3 tools/play.py --human --level casual   # a playing level (tools/web/levels.json)
    python3 tools/play.py --replay games.sgf --game 3   # a game of a record file, move by move

Without --brain it plays build/release/src/app/pbrain-fivefold, building it first (release
preset) when it is missing or older than the sources."""

import argparse

from fivefold_tools.manager.game import LIMITED_TIMEOUT_TURN
from fivefold_tools.manager.levels import LEVELS
from fivefold_tools.rules.board import MAX_SIDE, MIN_SIDE, RULES
from fivefold_tools.terminal import play, replay


def arguments(argv):
    p = argparse.ArgumentParser(description="Watch the engine play itself, or play it.")
    p.add_argument("--brain", help="brain command line (default: the release build)")
    p.add_argument("--brain2", help="the second brain of a demo (default: the same)")
    p.add_argument("--human", action="store_true", help="play against the engine")
    p.add_argument("--human-first", action="store_true", help="play black (implies --human)")
    p.add_argument("--size", type=int, default=15, choices=range(MIN_SIDE, MAX_SIDE + 1),
                   metavar="%d..%d" % (MIN_SIDE, MAX_SIDE))
    p.add_argument("--time", type=int,
                   help="ms per engine move (default 300; %d with --depth or --nodes)"
                   % LIMITED_TIMEOUT_TURN)
    p.add_argument("--depth", type=int, default=0, help="deepest search iteration (INFO max_depth)")
    p.add_argument("--nodes", type=int, default=0, help="nodes per move (INFO max_node)")
    p.add_argument("--level", choices=LEVELS,
                   help="the engine plays at this level's limits, not --time, --depth, --nodes")
    p.add_argument("--rule", choices=RULES, default="exact5")
    p.add_argument("--opening", choices=("builtin", "none"),
                   help="a random built-in opening (the demo's default) or an empty board")
    p.add_argument("--seed", type=int, help="picks the opening")
    p.add_argument("--delay", type=float, default=0.0, help="seconds to pause after each move")
    p.add_argument("--no-color", action="store_true")
    p.add_argument("--replay", metavar="FILE",
                   help="show the games of a record file (match.py's JSON lines, SGF or PSQ)")
    p.add_argument("--game", type=int, help="with --replay: only the game of this number")
    return p.parse_args(argv)


def main(argv=None):
    args = arguments(argv)
    replay(args) if args.replay else play(args)


if __name__ == "__main__":
    main()
