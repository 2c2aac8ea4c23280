"""What an engine's MESSAGE lines say about the move it just played: each line in words, and
the board squares that its threat lines name.

readable() is a short stand-alone wording of the lines; a fuller translation can take its
place without changing anything else here."""

import re

# The engine's threat key: pattern * 10^7 + mode * 10^6 + kind * 10^5 + direction * 10^4
# + startX * 100 + startY. A window may start up to eight squares off the board, so startY
# lies in -8 .. 27 and startX * 100 + startY in -808 .. 2727.
KEY_OFFSET = 808
OFF_BOARD = 8
# Cells in the engine's template window of a three (kind 0) and of a four (kind 1).
WINDOW_LENGTH = {0: 9, 1: 8}
# The window's step along each direction number.
DIRECTION_STEPS = ((-1, -1), (0, -1), (1, -1), (1, 0))

STOP_CODES = {
    "0M": "no search needed: one candidate or none",
    "W": "found a forced win",
    "L": "reached the depth limit",
    "T1Aa": "time ran out before the first move was searched",
    "T1Ab": "time ran out at the start of the iteration; plays the last iteration's best",
    "T1B": "time ran out inside the iteration; plays its best so far",
    "T1C": "time ran out; every move searched so far loses",
    "T2": "not enough time left for another iteration",
}
THREAT_WORDS = {
    "M4": "completes its own four to five",
    "O4=1": "blocks the opponent's four",
    "O4>1I": "blocks the opponent's fours on the square they share",
    "O4>1": "the opponent has fours that no single square blocks",
    "M3": "turns its own three into a four",
    "O3>1": "the opponent has threes that no move holds",
}
OTHER_WORDS = {"Thx": "wins", "Grat": "expects to lose"}
DECIDED = 900000  # evaluations beyond this are forced wins or losses
SEARCH_LINE = re.compile(r"AB:\s+D:(-?\d+)(?:\s+E:(-?\d+))?\s+F:(\w+)\s+S:(-?\d+)")
THREAT_LINE = re.compile(r"THR:\s+(\S+)(?:\s+(-?\d+))?")


def evaluation_words(value):
    if value > DECIDED:
        return "a forced win"
    if value < -DECIDED:
        return "a forced loss"
    return "evaluation %+d" % value


def readable(line):
    """One MESSAGE line in words; the line itself (without MESSAGE) when it is not known."""
    text = re.sub(r"^MESSAGE\s*", "", line.strip(), flags=re.IGNORECASE)
    search = SEARCH_LINE.fullmatch(text)
    if search:
        depth, value, code, rate = search.groups()
        parts = ["depth %s" % depth]
        if value is not None:
            parts.append(evaluation_words(int(value)))
        parts.append(STOP_CODES.get(code, "stop code " + code))
        parts.append("%s nodes/s" % rate)
        return "search: " + ", ".join(parts)
    threat = THREAT_LINE.fullmatch(text)
    if threat and threat.group(1) in THREAT_WORDS:
        return "threat: " + THREAT_WORDS[threat.group(1)]
    return OTHER_WORDS.get(text, text)


def key_window(key, width, height):
    """The on-board squares of the template window a threat key names, in window order."""
    shifted = key + KEY_OFFSET
    kind = shifted // 100000 % 10
    direction = shifted // 10000 % 10
    start = shifted % 10000 - KEY_OFFSET
    start_x = (start + OFF_BOARD) // 100
    start_y = start - start_x * 100
    if kind not in WINDOW_LENGTH or direction >= len(DIRECTION_STEPS):
        return []
    dx, dy = DIRECTION_STEPS[direction]
    squares = ((start_x + n * dx, start_y + n * dy) for n in range(WINDOW_LENGTH[kind]))
    return [[x, y] for x, y in squares if 0 <= x < width and 0 <= y < height]


def named_squares(messages, move, width, height):
    """The squares the threat lines name: a keyed threat's window, and for the other threat
    lines the move itself (the square that completes, makes or blocks)."""
    squares = []
    for line in messages:
        threat = THREAT_LINE.search(line)
        if not threat:
            continue
        named = key_window(int(threat.group(2)), width, height) if threat.group(2) else []
        for square in named or [list(move)]:
            if square not in squares:
                squares.append(square)
    return squares


def thoughts(messages, move, colour, width, height):
    """The engine's MESSAGE lines for one move, ready for the page."""
    lines = [line for line in messages if line.upper().startswith("MESSAGE")]
    return {
        "colour": colour,
        "move": list(move),
        "lines": [{"line": line, "text": readable(line)} for line in lines],
        "squares": named_squares(lines, move, width, height),
    }
