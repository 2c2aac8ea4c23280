"""The sequential probability ratio test of a match, in the game-pair (pentanomial) model.

Every opening is played twice with colours swapped, so the unit of the test is the pair: the
first player scores 0, 1/2, 1, 3/2 or 2 points in it, and the five counts of those outcomes
are the pentanomial. The test weighs H0, "the Elo difference is ELO0", against H1, "it is
ELO1" (logistic Elo: a difference d gives the expected score 1 / (1 + 10^(-d/400))), with
the usual normal approximation of the generalised SPRT: for N pairs of mean score m (per
game) and variance v (of the pair's score per game),

    LLR = N (s1 - s0) (2 m - s0 - s1) / (2 v)

where s0 and s1 are the expected scores of ELO0 and ELO1. H1 is accepted once the LLR
reaches log((1 - beta) / alpha), H0 once it falls to log(beta / (1 - alpha)).

The counts start from the Jeffreys prior, half a pair in each of the five outcomes: without
it a match whose pairs all ended alike has no variance, and one lucky pair would decide."""

import math

from fivefold_tools.manager.stats import elo_from_score

Z95 = 1.959964
# Pairs counted in each outcome before the first game (the Jeffreys prior).
PRIOR = 0.5
H1, H0, OPEN = "H1 accepted", "H0 accepted", "still open"


def bounds(alpha, beta):
    """(lower, upper) of the LLR: H0 is accepted at or below lower, H1 at or above upper."""
    return math.log(beta / (1 - alpha)), math.log((1 - beta) / alpha)


def expected_score(elo):
    return 1 / (1 + 10 ** (-elo / 400))


def mean_and_variance(counts):
    """(pairs, mean, variance) of the pair's score per game, the prior included."""
    counts = [c + PRIOR for c in counts]
    total = sum(counts)
    scores = [i / 4 for i in range(5)]
    mean = sum(c * s for c, s in zip(counts, scores)) / total
    variance = sum(c * (s - mean) ** 2 for c, s in zip(counts, scores)) / total
    return total, mean, variance


def llr(counts, elo0, elo1):
    """The log-likelihood ratio of H1 against H0 for the pentanomial counts (pairs in which
    the first player scored 0, 1/2, 1, 3/2 and 2 points)."""
    if not sum(counts):
        return 0.0
    pairs, mean, variance = mean_and_variance(counts)
    s0, s1 = expected_score(elo0), expected_score(elo1)
    return pairs * (s1 - s0) * (2 * mean - s0 - s1) / (2 * variance)


def elo_estimate(counts):
    """(elo, low, high): the Elo difference of the pairs' mean score and its 95% interval."""
    if not sum(counts):
        return 0.0, -math.inf, math.inf
    pairs, mean, variance = mean_and_variance(counts)
    spread = Z95 * math.sqrt(variance / pairs)
    return elo_from_score(mean), elo_from_score(mean - spread), elo_from_score(mean + spread)


def pair_points(records, name):
    """The named player's points in every complete pair (games 2k - 1 and 2k, numbered from
    1), in half points 0..4, in pair order."""
    pairs = {}
    for record in records:
        if record["winner"] is None:
            points = 1
        else:
            points = 2 if record["winner_name"] == name else 0
        pairs.setdefault((record["game"] - 1) // 2, []).append(points)
    return [sum(p) for _, p in sorted(pairs.items()) if len(p) == 2]


def sprt(records, name, elo0, elo1, alpha=0.05, beta=0.05):
    """The test over the complete pairs in pair order, stopped at the first pair where the
    LLR leaves its bounds: a dict with the decision, the LLR, its bounds, the pairs counted,
    their pentanomial and the Elo estimate with its 95% interval."""
    lower, upper = bounds(alpha, beta)
    counts = [0] * 5
    value, result = 0.0, OPEN
    for points in pair_points(records, name):
        counts[points] += 1
        value = llr(counts, elo0, elo1)
        if value >= upper or value <= lower:
            result = H1 if value >= upper else H0
            break
    elo, low, high = elo_estimate(counts)
    return {"model": "pentanomial", "elo0": elo0, "elo1": elo1, "alpha": alpha, "beta": beta,
            "result": result, "llr": value, "lower": lower, "upper": upper,
            "pairs": sum(counts), "pentanomial": counts, "elo": elo, "elo_low": low,
            "elo_high": high}


def format_number(value, form):
    if math.isfinite(value):
        return form % value
    return "+inf" if value > 0 else "-inf"


def sprt_text(test):
    """The test's outcome in two lines, as the match runner prints it."""
    return ("SPRT [%g, %g] alpha %g beta %g (game pairs): %s after %d pairs, LLR %.2f "
            "[%.2f, %.2f]\nSPRT Elo %s [%s, %s] (95%%), pairs by points 0-2: %s") % (
        test["elo0"], test["elo1"], test["alpha"], test["beta"], test["result"],
        test["pairs"], test["llr"], test["lower"], test["upper"],
        format_number(test["elo"], "%+.1f"), format_number(test["elo_low"], "%+.1f"),
        format_number(test["elo_high"], "%+.1f"), " ".join(map(str, test["pentanomial"])))
