"""What an engine's MESSAGE lines say about the move it just played: each line in words, and
the board squares that its threat lines name."""

import re

import messages

# The engine's threat key: pattern * 10^7 + mode * 10^6 + kind * 10^5 + direction * 10^4
# + startX * 100 + startY. A window may start up to eight squares off the board, so startY
# lies in -8 .. 27 and startX * 100 + startY in -808 .. 2727.
KEY_OFFSET = 808
OFF_BOARD = 8
# Cells in the engine's template window of a three (kind 0) and of a four (kind 1).
WINDOW_LENGTH = {0: 9, 1: 8}
# The window's step along each direction number.
DIRECTION_STEPS = ((-1, -1), (0, -1), (1, -1), (1, 0))

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


def named_squares(lines, move, width, height):
    """The squares the threat lines name: a keyed threat's window, and for the other threat
    lines the move itself (the square that completes, makes or blocks)."""
    squares = []
    for line in lines:
        threat = messages.THREAT_LINE.search(line)
        if not threat:
            continue
        named = key_window(int(threat.group(2)), width, height) if threat.group(2) else []
        for square in named or [list(move)]:
            if square not in squares:
                squares.append(square)
    return squares


def readable(line):
    """One MESSAGE line in words; the line itself (without MESSAGE) when it is not known."""
    return messages.describe(line) or re.sub(r"^MESSAGE\s*", "", line.strip(),
                                             flags=re.IGNORECASE)


def thoughts(output, move, colour, width, height):
    """The engine's MESSAGE lines for one move, ready for the page."""
    lines = [line for line in output if line.upper().startswith("MESSAGE")]
    return {
        "colour": colour,
        "move": list(move),
        "lines": [{"line": line, "text": readable(line)} for line in lines],
        "squares": named_squares(lines, move, width, height),
    }
