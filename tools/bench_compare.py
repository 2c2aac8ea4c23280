#!/usr/bin/env python3
"""Compares two builds of fivefold-bench: they must answer every position alike (move, score,
depth, nodes and MESSAGE lines; only times and search rates may differ), and the faster one
is the one with more nodes per second. The two run alternately, so that a change in the
machine's load falls on both.

    python3 tools/bench_compare.py OLD_BENCH NEW_BENCH [--depth 8] [--runs 5] [FILE]
"""

import argparse
import sys

from fivefold_tools.bench import compare


def main(argv=None):
    p = argparse.ArgumentParser(description="Compares two fivefold-bench builds.")
    p.add_argument("old", help="command line of the older bench")
    p.add_argument("new", help="command line of the newer bench")
    p.add_argument("positions", nargs="?", help="a position file (default: the built-in set)")
    p.add_argument("--depth", type=int, default=8)
    p.add_argument("--runs", type=int, default=5, help="runs of each, alternately")
    args = p.parse_args(argv)
    return compare(args.old, args.new, args.depth, args.runs, args.positions)


if __name__ == "__main__":
    sys.exit(main())
