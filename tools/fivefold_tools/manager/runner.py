"""The match runner: the games of a match played a few at a time, each between fresh brain
processes, with every opening played twice, colours swapped; and what tools/match.py shows
and writes while it runs."""

import json
import os
import shlex
import sys
import threading
from concurrent.futures import ThreadPoolExecutor

from fivefold_tools.manager.brain import BrainPlayer, interrupt_on_terminate, kill_all
from fivefold_tools.manager.game import GameConfig, limits_text, play_game, turn_time
from fivefold_tools.manager.stats import elo_difference, format_elo, score, summary
from fivefold_tools.rules.openings import builtin_openings, parse_openings, random_openings


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


def load_openings(args):
    w, h = args.size
    if args.openings == "builtin":
        return builtin_openings(w, h, args.rule)
    if args.openings == "random":
        pairs = (args.games + 1) // 2
        return random_openings(pairs, args.random_stones, args.seed, w, h, args.rule)
    with open(args.openings) as f:
        return parse_openings(f.read(), w, h, args.rule, args.centred)


def run_command(args):
    """The match tools/match.py's options ask for: the games as JSON lines to args.out, a
    progress line per game to stderr and the summary at the end."""
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

    interrupt_on_terminate()  # a terminated match still kills its brains
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
