"""The match runner: the games of a match played a few at a time, each between fresh brain
processes, with every opening played twice, colours swapped; and what tools/match.py shows
and writes while it runs."""

import json
import math
import os
import shlex
import sys
import threading
from concurrent.futures import ThreadPoolExecutor

from fivefold_tools.manager.brain import BrainPlayer, interrupt_on_terminate, kill_all
from fivefold_tools.manager.game import GameConfig, limits_text, play_game, turn_time
from fivefold_tools.manager.levels import level_limits
from fivefold_tools.manager.shards import merge_parts, missing_games, shard_games
from fivefold_tools.manager.sprt import OPEN, sprt, sprt_text
from fivefold_tools.manager.stats import elo_difference, format_elo, score, summary
from fivefold_tools.rules import psq, sgf
from fivefold_tools.rules.openings import builtin_openings, parse_openings, random_openings
from fivefold_tools.rules.record_files import read_record_file


def game_plan(games, openings):
    """(opening, swapped) per game: opening k is games 2k (first player black) and 2k + 1
    (second player black); the list is reused from the start when it runs out."""
    return [(openings[(i // 2) % len(openings)], i % 2 == 1) for i in range(games)]


def run_match(commands, names, cfg, openings, games, jobs=1, on_game=None, cwd=None,
              indices=None, should_stop=None, levels=(None, None)):
    """Plays the games (those of the 0-based indices only, when given), jobs at a time, and
    returns their records in game order. levels: the playing level of each brain, or None
    for the match's limits.

    on_game(record) is called (under a lock) as each game ends; once should_stop() is true
    no further game starts."""
    plan = game_plan(games, openings)
    lock = threading.Lock()
    stop = threading.Event()

    def one(i):
        if stop.is_set() or (should_stop and should_stop()):
            return None
        opening, swapped = plan[i]
        first, second = (BrainPlayer(n, c, cwd, level and level_limits(level))
                         for n, c, level in zip(names, commands, levels))
        record = play_game((second, first) if swapped else (first, second), cfg, opening)
        if stop.is_set():
            return None  # cut short by the interrupt: no result
        record = {"game": i + 1, "players": list(names), "limits": limits_of(cfg), **record}
        if any(levels):
            record["levels"] = list(levels)
        if on_game:
            with lock:
                on_game(record)
        return record

    with ThreadPoolExecutor(max_workers=max(1, jobs)) as pool:
        try:
            played = pool.map(one, range(games) if indices is None else indices)
            return [record for record in played if record]
        except BaseException:
            stop.set()
            kill_all()
            raise


def levels_text(names, levels):
    """The players who play at a level of their own, as the summary names them."""
    return "".join("%s plays at level %s\n" % (name, level)
                   for name, level in zip(names, levels) if level)


def limits_of(cfg):
    """What every move of a match is played under, kept in each game's record so that the
    parts of a match can be joined and summed up again (merge_command)."""
    return {"timeout_turn": cfg.timeout_turn, "timeout_match": cfg.timeout_match,
            "max_depth": cfg.max_depth, "max_nodes": cfg.max_nodes}


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
        return parse_openings(f.read(), w, h, args.rule, not args.absolute)


class RecordWriters:
    """Where every game goes as it ends: JSON lines to --out, SGF to --sgf, a PSQ file a game
    into --psq."""

    def __init__(self, args):
        self.out = sys.stdout if args.out == "-" else open(args.out, "w")
        self.sgf = open(args.sgf, "w") if args.sgf else None
        self.psq = args.psq
        if self.psq:
            os.makedirs(self.psq, exist_ok=True)

    def write(self, record):
        self.out.write(json.dumps(record) + "\n")
        self.out.flush()
        if self.sgf:
            self.sgf.write(sgf.write_game(record))
            self.sgf.flush()
        if self.psq:
            with open(os.path.join(self.psq, "game%04d.psq" % record["game"]), "w") as f:
                f.write(psq.write_game(record))

    def close(self):
        for f in (self.out, self.sgf):
            if f and f is not sys.stdout:
                f.close()


def finite(value):
    return value if math.isfinite(value) else None


def summary_data(records, names, cfg, test, levels=(None, None)):
    """The summary as JSON: players, rule, limits (and levels), score, Elo, results by colour,
    reasons, SPRT."""
    wins, draws, losses = score(records, names[0])
    elo, low, high = elo_difference(wins, draws, losses)
    reasons = {}
    for record in records:
        reasons[record["reason"]] = reasons.get(record["reason"], 0) + 1
    data = {"players": list(names), "rule": cfg.rule, "limits": limits_of(cfg),
            **({"levels": list(levels)} if any(levels) else {}), "games": len(records),
            "wins": wins, "draws": draws, "losses": losses,
            "elo": finite(elo), "elo_low": finite(low), "elo_high": finite(high),
            "black_wins": sum(r["winner"] == "black" for r in records),
            "white_wins": sum(r["winner"] == "white" for r in records), "reasons": reasons}
    if test:
        data["sprt"] = {k: finite(v) if isinstance(v, float) else v for k, v in test.items()}
    return data


def report(records, names, cfg, args, stream, levels=(None, None)):
    """The summary (the rule and limits first, then the players' levels, the SPRT last when
    asked for) as text to stream and as JSON to --summary-json."""
    # A part of a match (--shard) is no sample of its own: the test is the whole's (--merge).
    whole = args.sprt and not getattr(args, "shard", None)
    test = whole and sprt(records, names[0], *args.sprt, args.alpha, args.beta)
    text = "%s, %s\n%s%s\n" % (cfg.rule, limits_text(cfg), levels_text(names, levels),
                              summary(records, names, cfg.timeout_turn))
    stream.write(text + (sprt_text(test) + "\n" if test else ""))
    if args.summary_json:
        with open(args.summary_json, "w") as f:
            json.dump(summary_data(records, names, cfg, test, levels), f, indent=1)
            f.write("\n")


def merge_command(args):
    """Joins the JSON lines of a match's parts (--shard) into the whole match: its games in
    order to --out, --sgf and --psq, and the summary and SPRT of the whole."""
    parts = []
    for path in args.merge:
        games, errors = read_record_file(path)
        if errors:
            sys.exit("\n".join(errors))
        if any("players" not in g or "limits" not in g for g in games):
            sys.exit("%s: not the JSON lines of a match of match.py" % path)
        parts.append((path, games))
    try:
        records = merge_parts(parts)
    except ValueError as error:
        sys.exit("merge: %s" % error)
    if not records:
        sys.exit("merge: no games")
    first = records[0]
    missing = missing_games(records)
    if missing:
        sys.stderr.write("merge: games missing: %s\n" % ", ".join(map(str, missing)))
    cfg = GameConfig(width=first["size"][0], height=first["size"][1], rule=first["rule"],
                     **{key: first["limits"][key] for key in first["limits"]})
    writers = RecordWriters(args)
    for record in records:
        writers.write(record)
    report(records, first["players"], cfg, args,
           sys.stderr if writers.out is sys.stdout else sys.stdout,
           first.get("levels", (None, None)))
    writers.close()


def run_command(args):
    """The match tools/match.py's options ask for: the games as JSON lines to args.out (and
    SGF, PSQ), a progress line per game to stderr and the summary at the end. With --sprt
    no game starts once the test has decided; with --shard only that part is played; with
    --merge the parts' files are joined instead."""
    if args.merge:
        return merge_command(args)
    try:
        openings = load_openings(args)
    except (OSError, ValueError) as error:
        sys.exit("openings: %s" % error)
    commands = [args.brain1, args.brain2]
    levels = (args.level1, args.level2)
    names = player_names(commands, [args.name1, args.name2])
    cfg = GameConfig(width=args.size[0], height=args.size[1], rule=args.rule,
                     timeout_turn=turn_time(args.timeout_turn, 1000, args.depth, args.nodes),
                     timeout_match=args.timeout_match, tolerance=args.tolerance,
                     max_moves=args.max_moves, max_depth=args.depth, max_nodes=args.nodes)
    indices = shard_games(args.games, *args.shard) if args.shard else None
    total = args.games if indices is None else len(indices)
    writers = RecordWriters(args)
    done = []
    decided = threading.Event()
    tty = sys.stderr.isatty()

    def on_game(record):
        writers.write(record)
        done.append(record)
        # A part of a match plays all its games: the test belongs to the whole (--merge).
        if args.sprt and not args.shard:
            if sprt(done, names[0], *args.sprt, args.alpha, args.beta)["result"] != OPEN:
                decided.set()
        if not args.quiet:
            line = progress_line(done, names, total)
            sys.stderr.write("\r\x1b[K" + line if tty else line + "\n")
            sys.stderr.flush()

    interrupt_on_terminate()  # a terminated match still kills its brains
    try:
        records = run_match(commands, names, cfg, openings, args.games, args.jobs, on_game,
                            indices=indices, should_stop=decided.is_set, levels=levels)
    except KeyboardInterrupt:
        sys.exit("\ninterrupted")
    if tty and not args.quiet:
        sys.stderr.write("\n")
    report(records, names, cfg, args, sys.stderr if writers.out is sys.stdout else sys.stdout,
           levels)
    writers.close()
