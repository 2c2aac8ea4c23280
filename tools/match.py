#!/usr/bin/env python3
"""Plays a match between two brains and reports the result.

    python3 tools/match.py "build/release/src/app/pbrain-fivefold" "./other-brain" -n 20 -j 2
    python3 tools/match.py "./brain-a" "./brain-b" --nodes 50000   # the same games every run
    python3 tools/match.py "./new" "./old" -n 2000 -j 2 --sprt 0 10 --sgf games.sgf
    python3 tools/match.py "./a" "./b" -n 100 --nodes 50000 --shard 2/4 --out part2.jsonl
    python3 tools/match.py --merge part*.jsonl --out games.jsonl
    python3 tools/match.py "./brain" "./brain" --level1 club --nodes 300000   # a level's strength

Each brain is a shell-style command line. Every game starts fresh processes; every opening is
played twice with colours swapped. One JSON line per game goes to --out (stdout by default),
the summary to stdout (stderr when the games go to stdout), a progress line to stderr."""

import argparse

from fivefold_tools.manager.game import LIMITED_TIMEOUT_TURN
from fivefold_tools.manager.levels import LEVELS
from fivefold_tools.manager.runner import run_command
from fivefold_tools.manager.shards import parse_shard
from fivefold_tools.rules.board import MAX_SIDE, MIN_SIDE, RULES


def parse_size(text):
    width, _, height = text.lower().partition("x")
    width, height = int(width), int(height or width)
    if not (MIN_SIDE <= width <= MAX_SIDE and MIN_SIDE <= height <= MAX_SIDE):
        raise argparse.ArgumentTypeError("board sides must be %d..%d" % (MIN_SIDE, MAX_SIDE))
    return width, height


def shard(text):
    try:
        return parse_shard(text)
    except ValueError as error:
        raise argparse.ArgumentTypeError(str(error)) from None


def probability(text):
    value = float(text)
    if not 0 < value < 0.5:
        raise argparse.ArgumentTypeError("a bound's error rate is between 0 and 0.5")
    return value


def arguments(argv):
    p = argparse.ArgumentParser(description="Plays a match between two brains.")
    p.add_argument("brain1", nargs="?", help="command line of the first brain")
    p.add_argument("brain2", nargs="?", help="command line of the second brain")
    p.add_argument("-n", "--games", type=int, default=10, help="games (the most, with --sprt)")
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
    for side in ("1", "2"):
        p.add_argument("--level" + side, choices=LEVELS,
                       help="brain %s plays at this level's limits (tools/web/levels.json), "
                       "not the match's" % side)
    p.add_argument("--openings", default="builtin", help="builtin, random or a file")
    p.add_argument("--absolute", action="store_true",
                   help="an opening file's numbers are squares, not offsets from the centre")
    p.add_argument("--centred", action="store_true", help=argparse.SUPPRESS)  # the default now
    p.add_argument("--random-stones", type=int, default=3)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--out", default="-", help="JSON lines file (default stdout)")
    p.add_argument("--sgf", metavar="FILE", help="the games as SGF too, one after another")
    p.add_argument("--psq", metavar="DIR", help="the games as PSQ too, a file a game")
    p.add_argument("--summary-json", metavar="FILE", help="the summary as JSON")
    p.add_argument("--sprt", nargs=2, type=float, metavar=("ELO0", "ELO1"),
                   help="stop once a game-pair SPRT of ELO0 against ELO1 decides")
    p.add_argument("--alpha", type=probability, default=0.05, help="SPRT false positive rate")
    p.add_argument("--beta", type=probability, default=0.05, help="SPRT false negative rate")
    p.add_argument("--shard", type=shard, metavar="K/N",
                   help="play only part K of N of the match (pairs dealt round robin)")
    p.add_argument("--merge", nargs="+", metavar="FILE",
                   help="join the JSON lines of a match's parts instead of playing")
    p.add_argument("--name1")
    p.add_argument("--name2")
    p.add_argument("-q", "--quiet", action="store_true", help="no progress line")
    args = p.parse_args(argv)
    if not args.merge and not args.brain2:
        p.error("two brains are needed (or --merge FILES)")
    if args.merge and args.brain1:
        p.error("--merge joins files and plays no brain")
    if args.sprt and args.sprt[0] >= args.sprt[1]:
        p.error("--sprt ELO0 ELO1 needs ELO0 < ELO1")
    return args


def main(argv=None):
    run_command(arguments(argv))


if __name__ == "__main__":
    main()
