"""Opening files in the two forms people keep them, told apart line by line by content:

    0,0, 1,0, 2,-2      x,y offsets from the centre of the board, in the order played
    h8h9i8              square names: column letter from a, row number from 1

Blank lines and lines starting with # are skipped. Each opening is a list of (x, y) squares
on the board given; whether it can be played there is checked by the caller."""

import re

NUMBERS = re.compile(r"-?\d+(?:[\s,]+-?\d+)*,?")
NAMES = re.compile(r"(?:[a-z]\d{1,2})+")
NAME = re.compile(r"([a-z])(\d{1,2})")


def parse_line(line, width, height, centred=True):
    """The squares of one opening line, or None when it has neither form. Offsets are from
    the centre (width // 2, height // 2), or absolute squares when not centred."""
    text = line.strip().lower()
    if NUMBERS.fullmatch(text):
        values = [int(v) for v in re.findall(r"-?\d+", text)]
        if len(values) % 2:
            raise ValueError("an odd count of numbers")
        cx, cy = (width // 2, height // 2) if centred else (0, 0)
        return [(cx + dx, cy + dy) for dx, dy in zip(values[0::2], values[1::2])]
    compact = re.sub(r"[\s,]+", "", text)
    if NAMES.fullmatch(compact):
        return [(ord(letter) - ord("a"), int(row) - 1) for letter, row in NAME.findall(compact)]
    return None


def parse_opening_file(text, width, height, check, centred=True):
    """The openings of a file; check(squares) gives the reason an opening cannot be played
    on the board, or None. Raises ValueError naming the first bad line."""
    openings = []
    for number, line in enumerate(text.splitlines(), 1):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        try:
            squares = parse_line(line, width, height, centred)
        except ValueError as error:
            raise ValueError("line %d: %s" % (number, error)) from None
        if squares is None:
            raise ValueError("line %d: neither x,y offsets from the centre nor square names "
                             "like h8h9i8: %r" % (number, line.strip()[:60]))
        problem = check(squares)
        if problem:
            raise ValueError("line %d: %s" % (number, problem))
        openings.append(squares)
    if not openings:
        raise ValueError("no opening in the file")
    return openings
