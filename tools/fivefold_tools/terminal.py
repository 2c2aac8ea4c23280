"""The game on the terminal: the board drawn as text after every move with the lines the
engine printed for it and their meaning, and a person at the keyboard as a player."""

import random
import re
import shlex
import sys
import time
from dataclasses import replace

from fivefold_tools.build import ROOT, ensure_brain
from fivefold_tools.manager.brain import BrainPlayer, Reply
from fivefold_tools.manager.levels import level_limits
from fivefold_tools.manager.game import (COLOUR_NAMES, GameConfig, limits_text, opening_position,
                                         play_game, turn_time)
from fivefold_tools.rules.board import cell, on_board, place
from fivefold_tools.rules.judge import foul_of
from fivefold_tools.rules.openings import builtin_openings
from fivefold_tools.rules.outcome import LOSSES, outcome_text
from fivefold_tools.rules.record_files import read_record_file
from fivefold_tools.words.messages import describe

LETTERS = "abcdefghijklmnopqrst"
STONES = {0: ".", 1: "X", 2: "O"}
COLOURS = {1: "\x1b[1;31m", 2: "\x1b[1;36m"}
FIVE_COLOUR, RESET = "\x1b[1;30;42m", "\x1b[0m"


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

    def on_move(self, board, stone, reply, five, ending=None):
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
    """You, at the keyboard; no clock. Bad input asks again, and so does a renju foul of
    yours as black (the manager would end the game on it); q or end of input resigns."""

    def __init__(self, name="you"):
        self.name = name
        self.rule = None

    def start(self, cfg):
        self.rule = cfg.rule
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
            foul = isinstance(square, tuple) and foul_of(board, *square, self.rule)
            if foul:
                square = "%s is forbidden to black (%s)" % (text.strip(), LOSSES[foul])
            if isinstance(square, tuple):
                return Reply(move=square, ms=round((time.monotonic() - started) * 1000, 1))
            print(square)

    def close(self, grace_s):
        pass


def play(args):
    """The game tools/play.py's options ask for, shown move by move, and its outcome."""
    human = args.human or args.human_first
    brain = args.brain or shlex.quote(ensure_brain())
    cfg = GameConfig(width=args.size, height=args.size, rule=args.rule,
                     timeout_turn=turn_time(args.time, 300, args.depth, args.nodes), tolerance=500,
                     max_depth=args.depth, max_nodes=args.nodes)
    if args.level:  # the engine's limits: a person has none
        cfg = replace(cfg, **level_limits(args.level))
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


def replay(args):
    """The games of a record file (match.py's JSON lines, SGF or PSQ, told apart by content),
    each shown stone by stone as a game is played, then its outcome; with args.game only
    that one. A game that cannot be read is named on stderr and the exit status is 1."""
    games, errors = read_record_file(args.replay)
    if args.game is not None:
        games = [g for i, g in enumerate(games, 1) if g.get("game", i) == args.game]
        if not games and not errors:
            errors = ["%s: no game %d" % (args.replay, args.game)]
    colour = sys.stdout.isatty() and not args.no_color
    for record in games:
        width, height = record["size"]
        names = [record["black"], record["white"]]
        title = "game %d: %s (X, black) against %s (O, white): %dx%d, %s" % (
            record["game"], *names, width, height, record.get("rule", "exact5"))
        screen = Screen(title, names, colour, args.delay)
        board, _ = opening_position(width, height, record["opening"])
        screen.show(opening_caption(record["opening"]), board)
        for number, move in enumerate(record["moves"], 1):
            side = 1 if move["colour"] == "black" else 2
            place(board, move["x"], move["y"], side)
            five = record.get("five") if number == len(record["moves"]) else None
            screen.on_move(board, (move["x"], move["y"], side), Reply(ms=move["ms"]), five)
        print(outcome_text(record))
    for error in errors:
        sys.stderr.write(error + "\n")
    if errors:
        sys.exit(1)
