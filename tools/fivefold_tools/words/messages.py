"""The engine's MESSAGE lines in words, for a player: what the threat lines ("THR: ...")
and the search lines ("AB: D: E: F: S:") say about the move just played.

    describe("MESSAGE AB: D:12 E:-76 F:T2 S:512000")
    -> "depth 12, evaluation -76, stopped: not enough time for another iteration,
        512000 nodes/s"
"""

import re

from fivefold_tools.build import page_table

# The words and the threat key's layout, in one table with the page.
WORDS = page_table("engine_words.json")
# Threat lines: the engine found a four or a three and answers it without a search.
THREATS = WORDS["threats"]
# The short lines that follow a decided game's threat line.
FAREWELLS = WORDS["farewells"]
# How the search ended (after "F:"); a stop is time running out, the node limit or the
# manager's stop.
ENDINGS = WORDS["endings"]
# Beyond this an evaluation is a forced result; a five n stones ahead scores about WIN - n.
DECIDED = WORDS["decided"]
WIN = WORDS["win"]

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
