#!/usr/bin/env python3
"""The game on the terminal: the engine against itself (the default demo) or against you.

    python3 tools/play.py                  # a demo game, engine against engine
    python3 tools/play.py --human          # you play white; --human-first to play black
    python3 tools/play.py --nodes 20000 --seed 7   # node-limited: the same game every run

Without --brain it plays build/release/src/app/pbrain-fivefold, building it first (release
preset) when it is missing or older than the sources."""

import argparse
import os
import random
import re
import shlex
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from board import RULES, cell, on_board  # noqa: E402
from brain import BrainPlayer, Reply  # noqa: E402
from game import (COLOUR_NAMES, LIMITED_TIMEOUT_TURN, GameConfig, limits_text,  # noqa: E402
                  opening_position, play_game, turn_time)
from messages import describe  # noqa: E402
from openings import builtin_openings  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BRAIN = os.path.join("build", "release", "src", "app", "pbrain-fivefold")
LETTERS = "abcdefghijklmnopqrst"
STONES = {0: ".", 1: "X", 2: "O"}
COLOURS = {1: "\x1b[1;31m", 2: "\x1b[1;36m"}
FIVE_COLOUR, RESET = "\x1b[1;30;42m", "\x1b[0m"


def newest_source(root):
    """mtime of the newest file the release brain is built from."""
    newest = max(os.path.getmtime(os.path.join(root, f))
                 for f in ("CMakeLists.txt", "CMakePresets.json"))
    for folder, _, files in os.walk(os.path.join(root, "src")):
        newest = max([newest] + [os.path.getmtime(os.path.join(folder, f)) for f in files])
    return newest


def ensure_brain(root=ROOT):
    """The path of the release brain, built first when missing or stale."""
    path = os.path.join(root, BRAIN)
    if os.path.exists(path) and os.path.getmtime(path) >= newest_source(root):
        return path
    sys.stderr.write("building the release brain...\n")
    for step in (["cmake", "--preset", "release"], ["cmake", "--build", "--preset", "release"]):
        run = subprocess.run(step, cwd=root, capture_output=True, text=True)
        if run.returncode:
            sys.exit(run.stdout + run.stderr + "\n%s failed" % " ".join(step))
    return path


def square_label(x, y):
    return "%s%d" % (LETTERS[x], y + 1)


def square_name(x, y):
    return "%s (%d,%d)" % (square_label(x, y), x, y)


def parse_square(text, board):
    """(x, y) for "x,y" (protocol numbers) or "h8" (column letter, row number); or an
    error text for input that names no free square."""
    text = text.strip().lower()
    m = re.fullmatch(r"(-?\d+)\s*,\s*(-?\d+)", text)
    n = re.fullmatch(r"([a-z])\s*(\d+)", text)
    if m:
        x, y = int(m.group(1)), int(m.group(2))
    elif n:
        x, y = ord(n.group(1)) - ord("a"), int(n.group(2)) - 1
    else:
        return "type a square as x,y (e.g. 7,7) or letter and row (e.g. h8)"
    if not on_board(board, x, y):
        return "%s is off the board" % text
    if cell(board, x, y):
        return "%s is taken" % text
    return x, y


def render(board, last=None, five=(), colour=False):
    """The board as text: columns lettered, rows numbered from 1 at the top, the last stone
    in brackets, the winning five coloured (or in parentheses without colour)."""
    lines = ["    " + "".join(" %s " % LETTERS[x] for x in range(board.width))]
    for y in range(board.height):
        row = "%3d " % (y + 1)
        for x in range(board.width):
            stone = STONES[cell(board, x, y)]
            text = "[%s]" % stone if last and (x, y) == tuple(last[:2]) else " %s " % stone
            if (x, y) in five:
                text = FIVE_COLOUR + text + RESET if colour else "(%s)" % stone
            elif colour and stone != ".":
                text = COLOURS[cell(board, x, y)] + text + RESET
            row += text
        lines.append(row)
    return "\n".join(lines)


class Screen:
    """What is shown: a title naming the players, then for the opening and after each move
    a caption, the board and the lines the engine printed for that move, each with its
    meaning. On a terminal every screen replaces the last and repeats the title."""

    def __init__(self, title, names, colour, delay):
        self.title = title
        self.names = names
        self.colour = colour
        self.delay = delay
        self.titled = False

    def show(self, caption, board, last=None, five=(), lines=()):
        out = "\x1b[H\x1b[2J" if self.colour else "\n"
        if self.colour or not self.titled:
            out += self.title + "\n"
            self.titled = True
        out += caption + "\n" + render(board, last, [tuple(s) for s in five], self.colour)
        for line in lines:
            out += "\n  " + line
        sys.stdout.write(out + "\n")
        sys.stdout.flush()

    def on_move(self, board, stone, reply, five):
        x, y, side = stone
        caption = "move %d: %s %s %s in %.0f ms" % (
            board.count, COLOUR_NAMES[side], self.names[side - 1], square_name(x, y), reply.ms)
        label = "%s, move %d: " % (self.names[side - 1], board.count)
        lines = [label + line + explained(line) for line in reply.messages
                 if line.upper().startswith(("MESSAGE", "ERROR"))]
        self.show(caption, board, stone, five or (), lines)
        if self.delay:
            time.sleep(self.delay)


def explained(line):
    meaning = describe(line)
    return "  -- " + meaning if meaning else ""


def opening_caption(opening):
    if not opening:
        return "start: empty board"
    return "opening, %d stones: %s" % (
        len(opening), " ".join(square_label(x, y) for x, y in opening))


class HumanPlayer:
    """You, at the keyboard; no clock. Bad input asks again; q or end of input resigns."""

    def __init__(self, name="you"):
        self.name = name

    def start(self, cfg):
        return None

    def ask_move(self, request, limit_ms, tolerance_ms, time_left=None, board=None):
        started = time.monotonic()
        while True:
            try:
                text = input("your move (x,y or h8; q resigns): ")
            except EOFError:
                text = "q"
            if text.strip().lower() in ("q", "quit"):
                return Reply(failure="resigned")
            square = parse_square(text, board)
            if isinstance(square, tuple):
                return Reply(move=square, ms=round((time.monotonic() - started) * 1000, 1))
            print(square)

    def close(self, grace_s):
        pass


LOSSES = {"resigned": "resignation", "time_forfeit": "time forfeit", "crash": "a crash",
          "off_board": "a move off the board", "occupied": "a move on a taken square",
          "garbage": "unreadable output", "start_failed": "a failed start"}


def outcome_text(record):
    reason = record["reason"]
    if record["winner"] is None:
        return "draw (%s)" % reason.replace("_", " ")
    if reason == "five":
        return "%s (%s) wins with five in a row" % (record["winner"], record["winner_name"])
    loser = "white" if record["winner"] == "black" else "black"
    detail = " (%s)" % record["detail"] if record.get("detail") else ""
    return "%s (%s) loses by %s%s" % (loser, record[loser], LOSSES.get(reason, reason), detail)


def arguments(argv):
    p = argparse.ArgumentParser(description="Watch the engine play itself, or play it.")
    p.add_argument("--brain", help="brain command line (default: the release build)")
    p.add_argument("--brain2", help="the second brain of a demo (default: the same)")
    p.add_argument("--human", action="store_true", help="play against the engine")
    p.add_argument("--human-first", action="store_true", help="play black (implies --human)")
    p.add_argument("--size", type=int, default=15, choices=range(5, 21), metavar="5..20")
    p.add_argument("--time", type=int,
                   help="ms per engine move (default 300; %d with --depth or --nodes)"
                   % LIMITED_TIMEOUT_TURN)
    p.add_argument("--depth", type=int, default=0, help="deepest search iteration (INFO max_depth)")
    p.add_argument("--nodes", type=int, default=0, help="nodes per move (INFO max_node)")
    p.add_argument("--rule", choices=RULES, default="exact5")
    p.add_argument("--opening", choices=("builtin", "none"),
                   help="a random built-in opening (the demo's default) or an empty board")
    p.add_argument("--seed", type=int, help="picks the opening")
    p.add_argument("--delay", type=float, default=0.0, help="seconds to pause after each move")
    p.add_argument("--no-color", action="store_true")
    return p.parse_args(argv)


def main(argv=None):
    args = arguments(argv)
    human = args.human or args.human_first
    brain = args.brain or shlex.quote(ensure_brain())
    cfg = GameConfig(width=args.size, height=args.size, rule=args.rule,
                     timeout_turn=turn_time(args.time, 300, args.depth, args.nodes), tolerance=500,
                     max_depth=args.depth, max_nodes=args.nodes)
    opening = []
    if (args.opening or ("none" if human else "builtin")) == "builtin":
        opening = random.Random(args.seed).choice(builtin_openings(args.size, args.size, args.rule))
    if human:
        engine = BrainPlayer("engine", brain, ROOT)
        players = (HumanPlayer(), engine) if args.human_first else (engine, HumanPlayer())
    else:
        players = (BrainPlayer("engine 1", brain, ROOT),
                   BrainPlayer("engine 2", args.brain2 or brain, ROOT))
    names = [p.name for p in players]
    title = "%s (X, black) against %s (O, white): %dx%d, %s, %s" % (
        *names, args.size, args.size, args.rule, limits_text(cfg))
    screen = Screen(title, names, sys.stdout.isatty() and not args.no_color,
                    0 if human else args.delay)
    board, _ = opening_position(args.size, args.size, opening)
    screen.show(opening_caption(opening), board)
    try:
        record = play_game(players, cfg, opening, screen.on_move)
    except KeyboardInterrupt:
        sys.exit("\ninterrupted")
    print(outcome_text(record))


if __name__ == "__main__":
    main()
