"""Opening positions: stones played alternately from black before the brains take over.

Every opening of a match is played twice, colours swapped, so a lopsided one costs neither
side; the built-in ones are quiet three- and four-stone starts around the centre."""

import random
import re

from fivefold_tools.build import page_table
from fivefold_tools.rules.board import cell, has_five, mover, new_board, on_board, place

# Offsets from the centre of the board, in the order the stones are played; the page reads
# the same file.
BUILTIN = page_table("openings.json")["builtin"]


def centre(width, height):
    return width // 2, height // 2


def from_centre(offsets, width, height):
    cx, cy = centre(width, height)
    return [(cx + dx, cy + dy) for dx, dy in offsets]


def check_opening(stones, width, height, rule):
    """The reason an opening cannot be played on this board, or None."""
    board = new_board(width, height)
    for i, (x, y) in enumerate(stones):
        if not on_board(board, x, y):
            return "stone %d,%d is off the board" % (x, y)
        if cell(board, x, y):
            return "stone %d,%d is played twice" % (x, y)
        place(board, x, y, mover(i))
    return "it already holds a five" if has_five(board, rule) else None


def builtin_openings(width, height, rule):
    openings = [from_centre(offsets, width, height) for offsets in BUILTIN]
    return [o for o in openings if check_opening(o, width, height, rule) is None]


def random_openings(count, stones, seed, width, height, rule):
    """count openings of the given number of stones, each on distinct random squares within
    three of the centre, reproducible from the seed."""
    rng = random.Random(seed)
    cx, cy = centre(width, height)
    area = [
        (x, y)
        for x in range(max(0, cx - 3), min(width, cx + 4))
        for y in range(max(0, cy - 3), min(height, cy + 4))
    ]
    if stones > len(area):
        raise ValueError("%d opening stones do not fit near the centre" % stones)
    openings = []
    while len(openings) < count:
        opening = rng.sample(area, stones)
        if check_opening(opening, width, height, rule) is None:
            openings.append(opening)
    return openings


# The two forms of an opening line in the files people keep: x,y offsets from the centre
# ("0,0, 1,0, 2,-2") or square names, column letter from a and row number from 1 ("h8h9i8").
NUMBERS = re.compile(r"-?\d+(?:[\s,]+-?\d+)*,?")
NAMES = re.compile(r"(?:[a-z]\d{1,2})+")
NAME = re.compile(r"([a-z])(\d{1,2})")


def parse_line(line, width, height, centred):
    """The squares of one opening line, or None when it has neither form. Numbers are
    offsets from the centre when centred, else squares."""
    text = line.strip().lower()
    if NUMBERS.fullmatch(text):
        values = [int(v) for v in re.findall(r"-?\d+", text)]
        if len(values) % 2:
            raise ValueError("an odd count of numbers")
        pairs = list(zip(values[0::2], values[1::2]))
        return from_centre(pairs, width, height) if centred else pairs
    compact = re.sub(r"[\s,]+", "", text)
    if NAMES.fullmatch(compact):
        return [(ord(letter) - ord("a"), int(row) - 1) for letter, row in NAME.findall(compact)]
    return None


def parse_openings(text, width, height, rule, centred=True):
    """One opening per line, in either form, told apart line by line; blank lines and lines
    starting with # are skipped. Raises ValueError naming the first bad line."""
    openings = []
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        try:
            stones = parse_line(line, width, height, centred)
        except ValueError as error:
            raise ValueError("line %d: %s" % (number, error)) from None
        if stones is None:
            raise ValueError("line %d: neither x,y offsets from the centre nor square names "
                             "like h8h9i8: %r" % (number, line.strip()[:60]))
        problem = check_opening(stones, width, height, rule)
        if problem:
            raise ValueError("line %d: %s" % (number, problem))
        openings.append(stones)
    if not openings:
        raise ValueError("no opening in the file")
    return openings
