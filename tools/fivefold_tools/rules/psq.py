"""PSQ records, one game a file, as the tournament manager writes them:

    Piskvorky 20x20, 11:11, 0
    10,11,0
    11,10,843
    pbrain-a.exe
    pbrain-b.exe
    -1

The first line gives the board size, then one move a line x,y,ms counted from 1 (the
opening's stones with 0 ms), black first, then the names of the two brains and -1. Some
files end after the moves. The file holds no result: the board decides it (a five, a full
board), otherwise it is unknown."""

import re

from fivefold_tools.rules.game_record import (RecordError, build_record, check_size, record_stones,
                                             stone_colour)

HEADER = re.compile(r"\s*Piskvorky\s+(\d+)\s*x\s*(\d+)\b", re.I)
MOVE = re.compile(r"\s*(-?\d+)\s*,\s*(-?\d+)\s*(?:,\s*(-?\d+)\s*)?$")


def is_psq(text):
    return HEADER.match(text) is not None


def write_game(record):
    """One game as PSQ text. A played move is written with at least 1 ms, so that only the
    opening's stones carry 0 and a reader can tell the opening apart."""
    width, height = record["size"]
    lines = ["Piskvorky %dx%d, 11:11, 0" % (width, height)]
    opening = len(record["opening"])
    for i, (x, y, _) in enumerate(record_stones(record)):
        ms = 0 if i < opening else max(1, round(record["moves"][i - opening].get("ms", 0)))
        lines.append("%d,%d,%d" % (x + 1, y + 1, ms))
    lines += [record["black"], record["white"], "-1"]
    return "\n".join(lines) + "\n"


def read_game(text):
    """The record of the file's game; raises RecordError."""
    lines = text.splitlines()
    header = HEADER.match(lines[0]) if lines else None
    if not header:
        raise RecordError("the first line is not 'Piskvorky WxH, ...'")
    width, height = int(header.group(1)), int(header.group(2))
    check_size(width, height, lines[0].strip())
    stones, names = [], []
    opening = 0
    for line in lines[1:]:
        line = line.strip()
        if not line:
            continue
        move = MOVE.match(line)
        if move and not names:
            ms = int(move.group(3) or 0)
            if ms == 0 and opening == len(stones):
                opening, ms = opening + 1, None
            x, y = int(move.group(1)) - 1, int(move.group(2)) - 1
            stones.append((x, y, stone_colour(len(stones)), line, ms))
        elif line == "-1":
            break
        elif re.match(r"-?\d+\s*,", line):
            raise RecordError("%r is not x,y,ms" % line, len(stones) + 1)
        else:
            names.append(line)
    if len(names) not in (0, 2):
        raise RecordError("%d brain names after the moves, not 2" % len(names))
    return build_record((width, height), stones, opening, names or ("black", "white"))
