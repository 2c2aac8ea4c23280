"""The engine's analysis (the MESSAGE NBEST lines that YXNBEST asks for) read back, and its
scores in words, as the page gives them: a forced win in so many moves where the search
proves one, otherwise a standing on one scale from -1 to 1, the raw score beside it.

    read_depths(["MESSAGE NBEST D:8 K:1 E:-76 L:7,7 8,8", "MESSAGE NBEST D:8 K:2 E:<=-80 L:6,7"])
    -> [{"depth": 8, "candidates": [{"rank": 1, "score": -76, "exact": True,
                                     "line": [(7, 7), (8, 8)]}, ...]}]
"""

import re

from fivefold_tools.words import messages

TABLE = messages.WORDS["analysis"]
DECIDED = messages.DECIDED
FOUR = TABLE["four"]

NBEST_LINE = re.compile(r"(?:MESSAGE\s+)?NBEST D:(\d+) K:(\d+) E:(<=)?(-?\d+) L:(.*)",
                        re.IGNORECASE)


def read_depths(lines):
    """The analysis's reports in the order given, one per depth (a rank 1 begins the next)."""
    depths = []
    for line in lines:
        found = NBEST_LINE.fullmatch(line.strip())
        if not found:
            continue
        depth, rank, bound, score, squares = found.groups()
        if int(rank) == 1 or not depths:
            depths.append({"depth": int(depth), "candidates": []})
        line_squares = [tuple(int(n) for n in word.split(",")) for word in squares.split()]
        depths[-1]["candidates"].append({"rank": int(rank), "score": int(score),
                                         "exact": not bound, "line": line_squares})
    return depths


def best_score(lines):
    """The score of the last report's best move, or None without a report."""
    depths = read_depths(lines)
    return depths[-1]["candidates"][0]["score"] if depths else None


def scaled(score):
    """The score on the scale from -1 to 1: a decided one at its end."""
    if abs(score) > DECIDED:
        return 1.0 if score > 0 else -1.0
    return score / (abs(score) + TABLE["scale"])


def moves_to_five(score):
    """For a decided score: how many moves of its own the side it favours needs to make five
    (1: the next); 0 when it has won."""
    if abs(score) > FOUR:
        return 0
    return (FOUR - abs(score)) // 2 + 1


def words(score, side, other):
    """The score in words for the side it is from (side) against the other (other)."""
    if abs(score) > DECIDED:
        winner = side if score > 0 else other
        moves = moves_to_five(score)
        if not moves:
            return TABLE["won"].format(side=winner)
        return TABLE["win"].format(side=winner, moves="%d move%s" % (moves, "s"[:moves > 1]))
    value = scaled(score)
    text = next(text for bound, text in TABLE["standing"] if abs(value) < bound)
    return text.format(side=side if value > 0 else other)
