"""A match split into disjoint parts that run anywhere (GNU parallel, a Slurm job array) and
are joined again. The parts are whole game pairs, dealt round robin: pair p (games 2p + 1
and 2p + 2) belongs to part p mod N + 1, so every part holds openings from the whole list
and the colours, openings and seeds of each game are those the whole match gives it."""

import re


def parse_shard(text):
    """(k, n) of "K/N", 1 <= K <= N."""
    match = re.fullmatch(r"\s*(\d+)\s*/\s*(\d+)\s*", text)
    if not match or not 1 <= int(match.group(1)) <= int(match.group(2)):
        raise ValueError("a shard is K/N with 1 <= K <= N, not %r" % text)
    return int(match.group(1)), int(match.group(2))


def shard_games(games, k, n):
    """The 0-based indices of the games of part k of n in a match of the given length."""
    return [i for i in range(games) if (i // 2) % n == k - 1]


def merge_parts(parts):
    """One match from the records of its parts [(file name, records)]: the games in game
    order. Raises ValueError when a game appears twice or the parts come from different
    matches (other players, board, rule or limits)."""
    seen = {}
    merged = []
    keys = ("players", "size", "rule", "limits")
    for name, records in parts:
        for record in records:
            number = record["game"]
            if number in seen:
                raise ValueError("game %d is in both %s and %s" % (number, seen[number], name))
            seen[number] = name
            if merged and any(record.get(k) != merged[0].get(k) for k in keys):
                first = merged[0]
                differ = [k for k in keys if record.get(k) != first.get(k)]
                raise ValueError("%s, game %d: another match than %s, game %d (%s differ)"
                                 % (name, number, seen[first["game"]], first["game"],
                                    ", ".join(differ)))
            merged.append(record)
    return sorted(merged, key=lambda record: record["game"])


def missing_games(records):
    """The game numbers between 1 and the last one that no part holds."""
    have = {record["game"] for record in records}
    return [g for g in range(1, max(have, default=0) + 1) if g not in have]
