"""Match statistics: the score, the Elo difference with its 95% interval and move times."""

import math
from collections import Counter


def elo_from_score(p):
    if p <= 0:
        return -math.inf
    if p >= 1:
        return math.inf
    return -400 * math.log10(1 / p - 1)


def elo_difference(wins, draws, losses):
    """(elo, low, high): the first player's Elo advantage and its 95% interval, from the
    per-game score's standard error mapped through the logistic curve. When every game ended
    alike the spread is 0 and says nothing, so the Wilson interval of n games is used."""
    n = wins + draws + losses
    if n == 0:
        return 0.0, -math.inf, math.inf
    z = 1.96
    p = (wins + draws / 2) / n
    variance = (wins * (1 - p) ** 2 + draws * (0.5 - p) ** 2 + losses * p**2) / n
    if variance > 0:
        low, high = p - z * math.sqrt(variance / n), p + z * math.sqrt(variance / n)
    else:
        centre = p + z * z / (2 * n)
        spread = z * math.sqrt(p * (1 - p) / n + z * z / (4 * n * n))
        low, high = ((centre + sign * spread) / (1 + z * z / n) for sign in (-1, 1))
        low, high = (0 if p == 0 else low), (1 if p == 1 else high)  # exact where rounding is not
    return elo_from_score(p), elo_from_score(low), elo_from_score(high)


def percentile(values, q):
    """Nearest-rank percentile (q in 0..100) of a non-empty list."""
    ordered = sorted(values)
    rank = max(1, math.ceil(q / 100 * len(ordered)))
    return ordered[rank - 1]


def score(records, name):
    """(wins, draws, losses) of the named player."""
    wins = sum(1 for r in records if r["winner_name"] == name)
    draws = sum(1 for r in records if r["winner_name"] is None)
    return wins, draws, len(records) - wins - draws


def loser_name(record):
    if record["winner"] is None:
        return None
    return record["white" if record["winner"] == "black" else "black"]


def move_times(records, name):
    """Wall ms of every move the named player made, its failed last move included."""
    times = []
    for r in records:
        moves = r["moves"] + ([r["failed_move"]] if "failed_move" in r else [])
        times += [m["ms"] for m in moves if r[m["colour"]] == name]
    return times


def format_elo(value):
    if not math.isfinite(value):
        return "+inf" if value > 0 else "-inf"
    return "%+d" % round(value)


def summary(records, names, timeout_turn):
    """The text shown at the end of a match."""
    a, b = names
    wins, draws, losses = score(records, a)
    elo, low, high = elo_difference(wins, draws, losses)
    percent = 100 * (wins + draws / 2) / max(1, len(records))
    lines = [
        "%s vs %s: %d games, +%d =%d -%d (score %.1f%%)"
        % (a, b, len(records), wins, draws, losses, percent),
        "Elo difference %s [%s, %s] (95%%)" % (format_elo(elo), format_elo(low), format_elo(high)),
        "by colour: black wins %d, white wins %d, draws %d"
        % tuple(sum(1 for r in records if r["winner"] == c) for c in ("black", "white", None)),
    ]
    reasons = Counter((r["reason"], loser_name(r)) for r in records)
    lines.append("reasons: " + ", ".join(
        "%s %d" % (reason if who is None else "%s (%s lost)" % (reason, who), count)
        for (reason, who), count in sorted(reasons.items(), key=lambda kv: -kv[1])
    ))
    for name in names:
        times = move_times(records, name)
        if not times:
            lines.append("%s: no moves" % name)
            continue
        over = [t - timeout_turn for t in times if t > timeout_turn]
        lines.append(
            "%s: %d moves, ms median %.0f p99 %.0f max %.0f; over timeout_turn %d, largest %.0f ms"
            % (name, len(times), percentile(times, 50), percentile(times, 99), max(times),
               len(over), max(over, default=0))
        )
    return "\n".join(lines)
