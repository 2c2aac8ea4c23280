"""SGF records of five-in-a-row (GM[4]) as the common command-line match runner writes them:

    (;FF[4]GM[4]GN[1]EV[A x B]DT[2026.12.07 16:19:41]RO[1.1]RU[1]SZ[20]PB[A]PW[B]RE[W+1]
    TE[White win by five connection]
    ;B[sh]C[opening move];W[qg]C[opening move];B[qj]C[23ms])

A square is two letters, x then y, from a = 0; SZ[W:H] is a rectangular board; RE is B+1,
W+1 or 0. Reading is lenient (whitespace, unknown properties, several games one after
another, the main line of a tree with variations) and refuses what cannot be a game with the
game and the property named."""

import re
import time

from fivefold_tools.rules.board import BLACK, COLOUR_NAMES, INFO_RULE, RULES, WHITE
from fivefold_tools.rules.outcome import LOSSES
from fivefold_tools.rules.game_record import (UNKNOWN, RecordError, build_record,
                                             check_size, record_stones)

OPENING_COMMENT = "opening move"
# How a game ended, in the words of TE[...] after "Black win by" or "Draw by".
REASON_WORDS = {"five": "five connection", "full_board": "full board", "move_limit": "move limit",
                **LOSSES}
# RU[] holds the number a brain is sent as INFO rule; a number of no rule here reads as the
# default rule.
RULE_NAMES = {str(number): name for name, number in INFO_RULE.items()}
LETTERS = "abcdefghijklmnopqrstuvwxyz"


class SgfError(RecordError):
    """A fault in the file's structure; game is the 1-based tree it was found in."""

    def __init__(self, message, game, move=0):
        super().__init__(message, move)
        self.game = game


# --- writing ---

def escape(text):
    return str(text).replace("\\", "\\\\").replace("]", "\\]")


def square_text(x, y):
    return LETTERS[x] + LETTERS[y]


def result_text(record):
    if record.get("result") is None:
        return "?", None
    if record["winner"] is None:
        return "0", "Draw by %s"
    winner = record["winner"]
    return ("B+1" if winner == "black" else "W+1"), winner.title() + " win by %s"


def write_game(record, date=None):
    """One game as SGF text: the root node on the first line, the moves on the second."""
    width, height = record["size"]
    game = record.get("game", 1)
    result, ending = result_text(record)
    props = [("FF", 4), ("GM", 4), ("GN", game), ("EV", "%s x %s" % (record["black"],
                                                                      record["white"])),
             ("DT", time.strftime("%Y.%m.%d %H:%M:%S", time.localtime(date))),
             ("RO", "%d.%d" % ((game + 1) // 2, 2 - game % 2)),
             ("RU", INFO_RULE[record.get("rule", RULES[0])]),
             ("SZ", width if width == height else "%d:%d" % (width, height)),
             ("PB", record["black"]), ("PW", record["white"]), ("RE", result)]
    if ending:
        props.append(("TE", ending % REASON_WORDS.get(record["reason"],
                                                      record["reason"].replace("_", " "))))
    opening = len(record["opening"])
    times = [None] * opening + [m.get("ms", 0) for m in record["moves"]]
    nodes = []
    for (x, y, colour), ms in zip(record_stones(record), times):
        comment = OPENING_COMMENT if ms is None else "%dms" % round(ms)
        nodes.append(";%s[%s]C[%s]" % (colour[0].upper(), square_text(x, y), comment))
    root = "(;" + "".join("%s[%s]" % (key, escape(value)) for key, value in props)
    return root + "\n" + "".join(nodes) + ")\n"


def write_games(records, date=None):
    return "".join(write_game(record, date) for record in records)


# --- reading ---

IDENT = re.compile(r"[A-Za-z]+")


def parse_trees(text):
    """The main line of every game tree: a list of (nodes, fault) per tree, each node a list
    of (property, [values]), fault an SgfError that ends the tree early or None. Text between
    the trees is skipped."""
    trees = []
    at = 0
    while True:
        at = text.find("(", at)
        if at < 0:
            return trees
        try:
            nodes, at, fault = parse_tree(text, at + 1, len(trees) + 1)
        except SgfError as error:
            nodes, fault = [], error
        trees.append((nodes, fault))
        if fault:
            return trees


def parse_tree(text, at, game):
    """(nodes, position after the tree, fault) of the tree opened just before at; variations
    after the first are read past and left out."""
    nodes = []
    depth = 0  # nested variations entered below the main line
    main = True
    while at < len(text):
        char = text[at]
        if char.isspace():
            at += 1
        elif char == ";":
            node, at = parse_node(text, at + 1, game, moves_in(nodes) + 1)
            if main:
                nodes.append(node)
        elif char == "(":
            depth += 1
            at += 1
        elif char == ")":
            at += 1
            if depth == 0:
                return nodes, at, None
            depth -= 1
            main = False  # the first variation is the main line; the others are skipped
        else:
            raise SgfError("unexpected %r" % char, game, moves_in(nodes))
    return nodes, at, SgfError("truncated: the game does not end with ')'", game,
                               moves_in(nodes))


def moves_in(nodes):
    return sum(1 for node in nodes for key, _ in node if key in ("B", "W"))


def parse_node(text, at, game, move):
    node = []
    while True:
        while at < len(text) and text[at].isspace():
            at += 1
        ident = IDENT.match(text, at)
        if not ident:
            return node, at
        at = ident.end()
        values = []
        while True:
            while at < len(text) and text[at].isspace():
                at += 1
            if at >= len(text) or text[at] != "[":
                break
            value, at = parse_value(text, at + 1, game, move, ident.group())
            values.append(value)
        if not values:
            raise SgfError("%s has no value" % ident.group(), game, move)
        node.append((ident.group().upper(), values))


def parse_value(text, at, game, move, key):
    out = []
    while at < len(text):
        char = text[at]
        if char == "\\" and at + 1 < len(text):
            out.append(text[at + 1])
            at += 2
        elif char == "]":
            return "".join(out), at + 1
        else:
            out.append(char)
            at += 1
    raise SgfError("truncated in %s[...]" % key, game, move)


def read_size(value):
    match = re.fullmatch(r"\s*(\d+)\s*(?::\s*(\d+)\s*)?", value)
    if not match:
        raise RecordError("SZ[%s] is not a board size" % value)
    width = int(match.group(1))
    height = int(match.group(2) or width)
    check_size(width, height, "SZ[%s]" % value)
    return width, height


def read_result(value):
    """The winner RE names: "black", "white", None for a draw, UNKNOWN otherwise."""
    value = value.strip().upper()
    if value.startswith("B+"):
        return "black"
    if value.startswith("W+"):
        return "white"
    if value in ("0", "DRAW", "D", "JIGO"):
        return None
    return UNKNOWN


def read_reason(value):
    words = re.sub(r"^\s*(black win by|white win by|draw by)\s*", "", value, flags=re.I)
    for reason, text in REASON_WORDS.items():
        if words.strip().lower() == text:
            return reason
    return words.strip() or None


def read_game(nodes):
    """The record of one tree's main line; raises RecordError."""
    props = {}
    stones = []
    opening = 0
    for node in nodes:
        comment = next((values[0] for key, values in node if key == "C"), "")
        for key, values in node:
            if key in ("B", "W"):
                stones.append(read_stone(key, values[0], comment, len(stones) + 1))
                if stones[-1][3] is None:
                    if opening < len(stones) - 1:
                        raise RecordError("%s: an opening move after the game began"
                                          % stones[-1][2], len(stones))
                    opening += 1
            elif key in ("AB", "AW", "AE"):
                raise RecordError("%s (set-up stones) is not read" % key)
            else:
                props.setdefault(key, values[0])
    if props.get("GM", "4").strip() != "4":
        raise RecordError("GM[%s] is not five-in-a-row (GM[4])" % props["GM"])
    if "SZ" not in props:
        raise RecordError("no SZ[] (the board size)")
    size = read_size(props["SZ"])
    # The position is checked with the board's own coordinates, so the off-board test
    # applies to the letters as written.
    stones = [(ord_of(s[0]), ord_of(s[1]), c, t, ms) for s, c, t, ms in stones]
    rule = RULE_NAMES.get(props.get("RU", "").strip(), RULES[0])
    winner = read_result(props["RE"]) if "RE" in props else UNKNOWN
    reason = read_reason(props["TE"]) if "TE" in props and winner != UNKNOWN else None
    names = (props.get("PB", "black"), props.get("PW", "white"))
    record = build_record(size, stones, opening, names, rule, winner, reason)
    if "GN" in props and props["GN"].strip().isdigit():
        record["game"] = int(props["GN"])
    return record


def ord_of(letter):
    return LETTERS.index(letter) if letter in LETTERS else 26 + LETTERS.index(letter.lower())


def read_stone(key, value, comment, number):
    text = "%s[%s]" % (key, value)
    if not re.fullmatch(r"[a-zA-Z]{2}", value):
        raise RecordError("%s is not a square" % text, number)
    ms = None
    if OPENING_COMMENT not in comment.lower():
        found = re.search(r"(\d+(?:\.\d+)?)\s*ms", comment)
        ms = round(float(found.group(1))) if found else 0
    return value, COLOUR_NAMES[WHITE if key == "W" else BLACK], text, ms


def read_games(text):
    """[(record, None) or (None, RecordError)] for every game in the text, in file order;
    a fault in the file's structure ends the list with that game's error."""
    out = []
    for number, (nodes, fault) in enumerate(parse_trees(text), 1):
        try:
            if fault:
                raise fault
            record = read_game(nodes)
            record.setdefault("game", number)
            out.append((record, None))
        except RecordError as error:
            error.game = number
            out.append((None, error))
    return out
