"""The engine's MESSAGE lines in words, for a player: what the threat lines ("THR: ...")
and the search lines ("AB: D: E: F: S:") say about the move just played.

    describe("MESSAGE AB: D:12 E:-76 F:T2 S:512000")
    -> "depth 12, evaluation -76, stopped: not enough time for another iteration,
        512000 nodes/s"
"""

import re

# Threat lines: the engine found a four or a three and answers it without a search.
THREATS = {
    "M4": "own four: this move makes five",
    "O4=1": "blocks the opponent's four",
    "O4>1I": "blocks the opponent's fours on the one square they share",
    "O4>1": "the opponent has fours that no move blocks: lost, blocks one",
    "M3": "own three: this move makes an open four, which wins next move",
    "O3>1": "the opponent has threes that no move holds: lost",
}
# The short lines that follow a decided game's threat line.
FAREWELLS = {
    "Thx": "five in a row: thanks for the game",
    "Grat": "congratulations to the opponent",
}
# How the search ended (after "F:"); a stop is time running out, the node limit or the
# manager's stop.
ENDINGS = {
    "0M": "nothing to search: one candidate move or none",
    "W": "found a forced win",
    "L": "stopped at the depth limit",
    "T1Aa": "stopped in the first move of the first iteration: plays the first candidate",
    "T1Ab": "stopped in the first move of an iteration: keeps the previous iteration's best",
    "T1B": "stopped in mid iteration: plays the best move so far",
    "T1C": "stopped in mid iteration, every move so far losing: plays the one it was searching",
    "T2": "stopped: not enough time for another iteration",
}
# Beyond this an evaluation is a forced result; a five n stones ahead scores about 1000000 - n.
DECIDED = 900000
WIN = 1000000

# M3 is followed by the three's key, negative when its window starts off the board.
THREAT_LINE = re.compile(r"THR: (\S+)(?: (-?\d+))?")
SEARCH_LINE = re.compile(r"AB: D:(\d+)(?: E:(-?\d+))? F:(\w+) S:(\d+)")


def evaluation(value):
    if value > DECIDED:
        return "a forced win about %d stones ahead" % (WIN - value)
    if value < -DECIDED:
        return "a forced loss about %d stones ahead" % (WIN + value)
    return "evaluation %d" % value


def describe(line):
    """The line in words, or None when it is none of the engine's MESSAGE lines."""
    text = line.strip()
    if text.upper().startswith("MESSAGE"):
        text = text[len("MESSAGE"):].strip()
    threat = THREAT_LINE.fullmatch(text)
    if threat and threat.group(1) in THREATS:
        return THREATS[threat.group(1)]
    search = SEARCH_LINE.fullmatch(text)
    if search and search.group(3) in ENDINGS:
        depth, value, ending, rate = search.groups()
        parts = ["depth " + depth]
        if value is not None:
            parts.append(evaluation(int(value)))
        return ", ".join(parts + [ENDINGS[ending], rate + " nodes/s"])
    return FAREWELLS.get(text)
