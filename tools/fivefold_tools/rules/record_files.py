"""Any record file the tools read, told apart by its content, not its name: the match
runner's JSON lines (one game a line), SGF (one or many games) or PSQ (one game).

A game that cannot be read becomes a one-line error naming the file, the game and the move;
the other games of the file are still read."""

import json
import re

from fivefold_tools.rules import psq, sgf
from fivefold_tools.rules.game_record import RecordError, build_record, check_size, stone_colour

FORMATS = ("JSON lines", "SGF", "PSQ")
# What str.splitlines breaks a line at.
LINE_BREAK = re.compile("[\n\r\v\f\x1c-\x1e\x85\u2028\u2029]")


def detect(text):
    """The format of a file's text, or None."""
    start = text.lstrip("\ufeff \t\r\n")
    if start.startswith("{"):
        return "JSON lines"
    if start.startswith("("):
        return "SGF"
    if psq.is_psq(start):
        return "PSQ"
    return None


def escaped(match):
    return {"\n": "\\n", "\r": "\\r"}.get(match.group(), "\\u%04x" % ord(match.group()))


def error_line(name, game, error):
    """FILE: game G: move M: why (game and move where known), on one line: a line break in
    it, as in a value quoted from the file, is written as an escape (\\n, \\r, \\uXXXX)."""
    move = getattr(error, "move", 0)
    where = ["game %d" % game] if game else []
    where += ["move %d" % move] if move else []
    return LINE_BREAK.sub(escaped, ": ".join([name] + where + [str(error)]))


def json_game(line):
    """The record of one JSON line of the match runner, checked like the other formats."""
    try:
        record = json.loads(line)
    except ValueError:
        raise RecordError("not JSON; a truncated line?") from None
    try:
        width, height = record["size"]
        check_size(width, height, "size %dx%d" % (width, height))
        opening = [(x, y, stone_colour(i), "%d,%d" % (x, y), None)
                   for i, (x, y) in enumerate(record["opening"])]
        moves = [(m["x"], m["y"], m["colour"], "%d,%d" % (m["x"], m["y"]), m.get("ms", 0))
                 for m in record["moves"]]
        names = (record["black"], record["white"])
        winner = record["winner"]
        checked = build_record((width, height), opening + moves, len(opening), names,
                               record.get("rule", "exact5"), winner, record.get("reason"))
    except (KeyError, TypeError, ValueError) as error:
        if isinstance(error, RecordError):
            raise
        raise RecordError("not a game record of the match runner (%s)" % error) from None
    return {**record, **{k: v for k, v in checked.items() if k not in record}}


def read_records(text, name):
    """(games, errors) of a file's text: the records in file order, and one line for every
    game that could not be read (or for the file)."""
    kind = detect(text)
    games, errors = [], []
    if kind == "JSON lines":
        number = 0
        for line in text.splitlines():
            if not line.strip():
                continue
            number += 1
            try:
                record = json_game(line)
                record.setdefault("game", number)
                games.append(record)
            except RecordError as error:
                errors.append(error_line(name, number, error))
    elif kind == "SGF":
        for record, error in sgf.read_games(text):
            if error:
                errors.append(error_line(name, error.game, error))
            else:
                games.append(record)
    elif kind == "PSQ":
        try:
            games.append({**psq.read_game(text), "game": 1})
        except RecordError as error:
            errors.append(error_line(name, 1, error))
    else:
        errors.append(error_line(name, 0, "neither the match runner's JSON lines, SGF nor PSQ"))
    if not games and not errors:
        errors.append(error_line(name, 0, "no game in the file"))
    return games, errors


def read_record_file(path):
    """(games, errors) of a file; a file that cannot be opened is one error."""
    try:
        with open(path, "rb") as f:
            text = f.read().decode("utf-8", "replace")
    except OSError as error:
        return [], [error_line(path, 0, error.strerror or error)]
    return read_records(text, path)
