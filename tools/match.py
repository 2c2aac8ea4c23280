#!/usr/bin/env python3
"""Plays a match between two brains and reports the result.

    python3 tools/match.py "build/release/src/app/pbrain-fivefold" "./other-brain" -n 20 -j 2
    python3 tools/match.py "./brain-a" "./brain-b" --nodes 50000   # the same games every run

Each brain is a shell-style command line. Every game starts fresh processes; every opening is
played twice with colours swapped. One JSON line per game goes to --out (stdout by default),
the summary to stdout (stderr when the games go to stdout), a progress line to stderr."""

import argparse
import json
import os
import shlex
import signal
import sys
import threading
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from board import RULES  # noqa: E402
from brain import BrainPlayer, kill_all  # noqa: E402
from game import (LIMITED_TIMEOUT_TURN, GameConfig, limits_text, play_game,  # noqa: E402
                  turn_time)
from openings import builtin_openings, parse_openings, random_openings  # noqa: E402
from stats import elo_difference, format_elo, score, summary  # noqa: E402


def game_plan(games, openings):
    """(opening, swapped) per game: opening k is games 2k (first player black) and 2k + 1
    (second player black); the list is reused from the start when it runs out."""
    return [(openings[(i // 2) % len(openings)], i % 2 == 1) for i in range(games)]


def run_match(commands, names, cfg, openings, games, jobs=1, on_game=None, cwd=None):
    """Plays the games, jobs at a time, and returns their records in game order.

    on_game(record) is called (under a lock) as each game ends."""
    plan = game_plan(games, openings)
    lock = threading.Lock()
    stop = threading.Event()

    def one(i):
        if stop.is_set():
            return None
        opening, swapped = plan[i]
        first, second = (BrainPlayer(n, c, cwd) for n, c in zip(names, commands))
        record = play_game((second, first) if swapped else (first, second), cfg, opening)
        if stop.is_set():
            return None  # cut short by the interrupt: no result
        record = {"game": i + 1, "players": list(names), **record}
        if on_game:
            with lock:
                on_game(record)
        return record

    with ThreadPoolExecutor(max_workers=max(1, jobs)) as pool:
        try:
            return list(pool.map(one, range(games)))
        except BaseException:
            stop.set()
            kill_all()
            raise


# Programs that run the brain rather than being it: a name is taken from the word after them.
LAUNCHERS = ("env", "nice", "sh", "bash", "taskset", "valgrind")


def command_name(command):
    words = [os.path.basename(w) for w in shlex.split(command) if not w.startswith("-")]
    for word in words:
        if not word.startswith("python") and word not in LAUNCHERS:
            return word
    return words[0] if words else "brain"


def player_names(commands, given):
    names = [given[i] or command_name(commands[i]) for i in range(2)]
    if names[0] == names[1]:
        names = ["%s (%d)" % (name, i + 1) for i, name in enumerate(names)]
    return names


def progress_line(records, names, total):
    wins, draws, losses = score(records, names[0])
    elo, low, high = elo_difference(wins, draws, losses)
    last = records[-1]
    outcome = "draw" if last["winner"] is None else "%s won" % last["winner_name"]
    return "[%d/%d] %s +%d =%d -%d  Elo %s [%s, %s]  (game %d: %s, %s)" % (
        len(records), total, names[0], wins, draws, losses, format_elo(elo),
        format_elo(low), format_elo(high), last["game"], outcome, last["reason"])


def parse_size(text):
    width, _, height = text.lower().partition("x")
    width, height = int(width), int(height or width)
    if not (5 <= width <= 20 and 5 <= height <= 20):
        raise argparse.ArgumentTypeError("board sides must be 5..20")
    return width, height


def load_openings(args):
    w, h = args.size
    if args.openings == "builtin":
        return builtin_openings(w, h, args.rule)
    if args.openings == "random":
        pairs = (args.games + 1) // 2
        return random_openings(pairs, args.random_stones, args.seed, w, h, args.rule)
    with open(args.openings) as f:
        return parse_openings(f.read(), w, h, args.rule, args.centred)


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
    args = arguments(argv)
    try:
        openings = load_openings(args)
    except (OSError, ValueError) as error:
        sys.exit("openings: %s" % error)
    commands = [args.brain1, args.brain2]
    names = player_names(commands, [args.name1, args.name2])
    cfg = GameConfig(width=args.size[0], height=args.size[1], rule=args.rule,
                     timeout_turn=turn_time(args.timeout_turn, 1000, args.depth, args.nodes),
                     timeout_match=args.timeout_match, tolerance=args.tolerance,
                     max_moves=args.max_moves, max_depth=args.depth, max_nodes=args.nodes)
    out = sys.stdout if args.out == "-" else open(args.out, "w")
    done = []
    tty = sys.stderr.isatty()

    def on_game(record):
        out.write(json.dumps(record) + "\n")
        out.flush()
        done.append(record)
        if not args.quiet:
            line = progress_line(done, names, args.games)
            sys.stderr.write("\r\x1b[K" + line if tty else line + "\n")
            sys.stderr.flush()

    def interrupt(signum, frame):
        raise KeyboardInterrupt

    signal.signal(signal.SIGTERM, interrupt)  # a terminated match still kills its brains
    try:
        records = run_match(commands, names, cfg, openings, args.games, args.jobs, on_game)
    except KeyboardInterrupt:
        sys.exit("\ninterrupted")
    if tty and not args.quiet:
        sys.stderr.write("\n")
    report = sys.stderr if out is sys.stdout else sys.stdout
    report.write(limits_text(cfg) + "\n" + summary(records, names, cfg.timeout_turn) + "\n")
    if out is not sys.stdout:
        out.close()


if __name__ == "__main__":
    main()
