"""What an engine's MESSAGE lines say about the move it just played: each line in words, and
the board squares that its threat lines name."""

import re

from fivefold_tools.words import messages

# The engine's threat key, laid out in the table it shares with the page.
KEY = messages.WORDS["threat_key"]


def key_fields(key):
    """The fields of a threat key by name (pattern, mode, kind, direction, x, y)."""
    fields = KEY["fields"]
    shifted = key + sum(field["offset"] * field["multiplier"] for field in fields)
    values = {}
    for number, field in enumerate(fields):
        value = shifted // field["multiplier"]
        if number:
            value %= fields[number - 1]["multiplier"] // field["multiplier"]
        values[field["name"]] = value - field["offset"]
    return values


def key_window(key, width, height):
    """The on-board squares of the template window a threat key names, in window order."""
    fields = key_fields(key)
    kind, direction = fields["kind"], fields["direction"]
    if not 0 <= kind < len(KEY["window_length"]) or direction >= len(KEY["direction_steps"]):
        return []
    dx, dy = KEY["direction_steps"][direction]
    squares = ((fields["x"] + n * dx, fields["y"] + n * dy)
               for n in range(KEY["window_length"][kind]))
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
